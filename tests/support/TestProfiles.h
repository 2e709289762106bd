#pragma once

#include "support/ShapeChecks.h" // Holding

#include <vector>

#include <KorrGeomCore/KorrGeomCore.h>

// Curves, wires and faces for the operations' tests, made with the library's
// own builders, as a host makes them. A builder that fails here fails the
// calling test, so that no test passes on a missing input.
namespace KorrTest {

KorrCore::ShapePtr LineEdge(const KMath::Vector3& from, const KMath::Vector3& to);
// A full circle as one closed edge, and as a wire of that edge.
KorrCore::ShapePtr CircleEdge(const KMath::Vector3& centre, double radius, const KMath::Vector3& normal);
KorrCore::ShapePtr CircleWire(const KMath::Vector3& centre, double radius, const KMath::Vector3& normal);
// Straight segments through the points, closed back to the first when asked.
KorrCore::ShapePtr PolylineWire(std::vector<KMath::Vector3> points, bool closed);
// The planar face bounded by the closed polygon through the points.
KorrCore::ShapePtr PolygonFace(std::vector<KMath::Vector3> points);
// The curved face of a cylinder standing on the origin along +Z.
KorrCore::ShapePtr CylindricalFace(double radius, double height);
// An axis-aligned square of the given side in the plane z = corner.z.
KorrCore::ShapePtr SquareFace(const KMath::Vector3& corner, double side);
// A compound of a box and an edge that belongs to no face.
KorrCore::ShapePtr BoxWithLooseEdge();

} // namespace KorrTest
