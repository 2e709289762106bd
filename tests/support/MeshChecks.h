#pragma once

#include <vector>

#include <KorrGeomCore/KorrGeomCore.h>

#include <gp_XYZ.hxx>

#include <gtest/gtest.h>

// Checks of triangle meshes held in display buffers (x, y, z per node, three
// node numbers per triangle), shared by the tests.
namespace KorrTest {

inline gp_XYZ Triple(const std::vector<float>& buffer, std::size_t i)
{
    return gp_XYZ(buffer[3 * i], buffer[3 * i + 1], buffer[3 * i + 2]);
}

// Each triangle's winding gives a normal on the side of its nodes' normals:
// positive dot product with each of them. Triangles without area (a sphere's
// poles repeat one point at several parameters) have no winding to test.
::testing::AssertionResult WindingFollowsNormals(const std::vector<float>& positions, const std::vector<float>& normals,
                                                 const std::vector<unsigned int>& indices);

// Once nodes at the same place are joined into one, every triangle side is
// shared by exactly two triangles that run along it in opposite directions:
// the mesh closes, and its triangles are wound consistently.
::testing::AssertionResult WatertightAfterWelding(const std::vector<float>& positions,
                                                  const std::vector<unsigned int>& indices);

// The volume the triangles enclose, positive when they are wound
// counter-clockwise seen from outside.
double EnclosedVolume(const std::vector<float>& positions, const std::vector<unsigned int>& indices);

// In each part, the face ranges follow each other without gap or overlap
// and cover every triangle and node, and each face's triangles name only its
// own nodes; the edge ranges likewise cover the edge points. The instances'
// ranges of the shape's faces and edges follow each other likewise, each as
// long as its part's lists.
::testing::AssertionResult RangesCoverEverything(const KorrCore::KShapeMesh& mesh);

// Every instance's triangles placed in the shape's frame, one after another:
// what a viewer draws. Normals turn with the placements, and a mirroring
// placement turns the winding round.
struct PlacedTriangles {
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<unsigned int> indices;
};
PlacedTriangles Placed(const KorrCore::KShapeMesh& mesh);

} // namespace KorrTest
