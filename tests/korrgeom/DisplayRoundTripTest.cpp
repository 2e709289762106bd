#include <string>

#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include "DisplayRoundTrip.h"
#include "GlbWriter.h"
#include "support/GltfAccess.h"
#include "Scene.h"

using korrgeom::DisplayMesh;
using KorrTest::Read;

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

std::vector<float> Slice(const std::vector<float>& values, std::size_t first, std::size_t count)
{
    return std::vector<float>(values.begin() + static_cast<std::ptrdiff_t>(first),
                              values.begin() + static_cast<std::ptrdiff_t>(first + count));
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

TEST(DisplayRoundTrip, GlbFileLoadsBackWithTheSameData)
{
    const DisplayMesh mesh = EmbeddedSceneMesh(0.1);
    const std::string path = ::testing::TempDir() + "korrgeom_round_trip.glb";
    std::string error;
    ASSERT_TRUE(korrgeom::WriteGlb(mesh, path, error)) << error;

    tinygltf::TinyGLTF loader;
    tinygltf::Model model;
    std::string loadError, warning;
    ASSERT_TRUE(loader.LoadBinaryFromFile(&model, &loadError, &warning, path)) << loadError;
    EXPECT_EQ(warning, "");
    EXPECT_EQ(model.asset.version, "2.0");
    ASSERT_EQ(model.meshes.size(), 1u);
    ASSERT_EQ(model.scenes.size(), 1u);
    ASSERT_EQ(model.scenes[0].nodes.size(), 1u);
    EXPECT_EQ(model.nodes.at(static_cast<std::size_t>(model.scenes[0].nodes[0])).mesh, 0);

    const std::vector<tinygltf::Primitive>& primitives = model.meshes[0].primitives;
    ASSERT_EQ(primitives.size(), 1 + mesh.polylines.size());
    const tinygltf::Primitive& surface = primitives[0];
    EXPECT_EQ(surface.mode, TINYGLTF_MODE_TRIANGLES);
    EXPECT_EQ(Read<float>(model, surface.attributes.at("POSITION"), 3), mesh.positions);
    EXPECT_EQ(Read<float>(model, surface.attributes.at("NORMAL"), 3), mesh.normals);
    EXPECT_EQ(Read<float>(model, surface.attributes.at("TEXCOORD_0"), 2), mesh.texCoords);
    EXPECT_EQ(Read<unsigned int>(model, surface.indices, 1), mesh.indices);

    for (std::size_t k = 0; k < mesh.polylines.size(); ++k) {
        const tinygltf::Primitive& strip = primitives[k + 1];
        const DisplayMesh::Polyline& polyline = mesh.polylines[k];
        EXPECT_EQ(strip.mode, TINYGLTF_MODE_LINE_STRIP);
        EXPECT_EQ(Read<float>(model, strip.attributes.at("POSITION"), 3),
                  Slice(mesh.linePoints, 3 * polyline.firstPoint, 3 * polyline.pointCount))
            << "polyline " << k;
    }
}

TEST(DisplayRoundTrip, UnwritablePathIsReported)
{
    std::string error;
    EXPECT_FALSE(korrgeom::WriteGlb(DisplayMesh{}, "/nonexistent-directory/out.glb", error));
    EXPECT_NE(error.find("/nonexistent-directory/out.glb"), std::string::npos);
}
