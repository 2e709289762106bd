#include <string>

#include <gtest/gtest.h>

#include "DisplayRoundTrip.h"
#include "Scene.h"

using korrgeom::DisplayMesh;

namespace {

DisplayMesh EmbeddedSceneMesh(double deflection)
{
    DisplayMesh mesh;
    for (const korrgeom::NamedShape& named : korrgeom::EmbeddedScene().build()) {
        EXPECT_TRUE(named.shape) << named.name;
        korrgeom::AddFaces(named.shape, deflection, mesh);
        korrgeom::AddEdges(named.shape, deflection, mesh);
    }
    return mesh;
}

} // namespace

TEST(DisplayMesh, JoinedFacesCountIndicesFromTheirOwnNodes)
{
    DisplayMesh mesh;
    const std::vector<float> triangle{0, 0, 0, 1, 0, 0, 0, 1, 0};
    const std::vector<float> up{0, 0, 1, 0, 0, 1, 0, 0, 1};
    mesh.AppendFace(triangle, {0, 1, 2}, up, {0, 0, 1, 0, 0, 1});
    mesh.AppendFace(triangle, {0, 2, 1}, up, {}); // no texture coordinates
    EXPECT_EQ(mesh.NodeCount(), 6u);
    EXPECT_EQ(mesh.indices, (std::vector<unsigned int>{0, 1, 2, 3, 5, 4}));
    EXPECT_EQ(mesh.normals.size(), 18u);
    EXPECT_EQ(mesh.texCoords, (std::vector<float>{0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0}));

    mesh.AppendPolyline({0, 0, 0, 1, 1, 1});
    mesh.AppendPolyline({2, 2, 2, 3, 3, 3, 4, 4, 4});
    ASSERT_EQ(mesh.polylines.size(), 2u);
    EXPECT_EQ(mesh.polylines[1].firstPoint, 2u);
    EXPECT_EQ(mesh.polylines[1].pointCount, 3u);
    EXPECT_EQ(mesh.LinePointCount(), 5u);
}

TEST(DisplayRoundTrip, EmbeddedSceneGivesOneConsistentMesh)
{
    const DisplayMesh mesh = EmbeddedSceneMesh(0.1);
    EXPECT_GT(mesh.TriangleCount(), 100u);
    EXPECT_EQ(mesh.normals.size(), mesh.positions.size());
    EXPECT_EQ(mesh.texCoords.size(), 2 * mesh.NodeCount());
    for (unsigned int index : mesh.indices)
        ASSERT_LT(index, mesh.NodeCount());
    // 3 + 3 + 12 + 9 edges, less the sphere's and the cone's degenerated ones.
    EXPECT_GE(mesh.polylines.size(), 20u);
    for (const DisplayMesh::Polyline& polyline : mesh.polylines)
        EXPECT_GE(polyline.pointCount, 2u);
}
