#include "support/TestProfiles.h"

#include <gtest/gtest.h>

namespace KorrTest {

namespace {

using KorrCore::KBrepTools;
using KorrCore::ShapePtr;

ShapePtr Made(ShapePtr shape, const char* what)
{
    if (!shape)
        ADD_FAILURE() << "the library could not make the test's " << what;
    return shape;
}

ShapePtr PointListWire(std::vector<KMath::Vector3>& points, bool closed)
{
    const int count = static_cast<int>(points.size());
    return closed ? KBrepTools::MakePolygon(points.data(), count) : KBrepTools::MakePolyline(points.data(), count);
}

} // namespace

ShapePtr LineEdge(const KMath::Vector3& from, const KMath::Vector3& to)
{
    return Made(KBrepTools::MakeLine(from, to), "line");
}

ShapePtr CircleEdge(const KMath::Vector3& centre, double radius, const KMath::Vector3& normal)
{
    // The circle comes as a wire of one edge; the explorer hands that edge out.
    KorrCore::ShapeList edges;
    if (!KorrCore::KTopoEdgeExplor::Explor(CircleWire(centre, radius, normal), edges) || edges.size() != 1)
        return Made(nullptr, "circle edge");
    return edges.front();
}

ShapePtr CircleWire(const KMath::Vector3& centre, double radius, const KMath::Vector3& normal)
{
    return Made(KBrepTools::MakeCircle(centre, radius, normal), "circle");
}

ShapePtr PolylineWire(std::vector<KMath::Vector3> points, bool closed)
{
    return Made(PointListWire(points, closed), "polyline");
}

ShapePtr PolygonFace(std::vector<KMath::Vector3> points)
{
    return Made(KBrepTools::MakeFace(PointListWire(points, true)), "polygon face");
}

ShapePtr CylindricalFace(double radius, double height)
{
    // Sweeping an edge gives a face (a wire would give a shell).
    const ShapePtr rim = CircleEdge(KMath::Vector3::ZERO, radius, KMath::Vector3::UNIT_Z);
    return Made(KorrCore::KFeatureTools::Extrude(rim, height, KMath::Vector3::UNIT_Z), "cylindrical face");
}

ShapePtr SquareFace(const KMath::Vector3& corner, double side)
{
    const KMath::Vector3 x(side, 0, 0), y(0, side, 0);
    return PolygonFace({corner, corner + x, corner + x + y, corner + y});
}

ShapePtr BoxWithLooseEdge()
{
    const ShapePtr box =
        Made(KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, KMath::Vector3(1, 1, 1)), "box");
    return KBrepTools::MakeCompound({box, LineEdge(KMath::Vector3(5, 5, 5), KMath::Vector3(6, 5, 5))});
}

} // namespace KorrTest
