#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include "GlbWriter.h"
#include "GltfAccess.h"
#include "Placements.h"
#include "Scene.h"
#include "SceneMeshes.h"

using namespace KorrCore;
using KMath::Vector3;
using korrgeom::NamedMesh;
using korrgeom_test::Read;

namespace {

tinygltf::Model WrittenAndRead(const std::vector<NamedMesh>& meshes, const std::string& name)
{
    const std::string path = ::testing::TempDir() + name;
    std::string error;
    EXPECT_TRUE(korrgeom::WriteGlb(meshes, path, error)) << error;
    tinygltf::TinyGLTF loader;
    tinygltf::Model model;
    std::string loadError, warning;
    EXPECT_TRUE(loader.LoadBinaryFromFile(&model, &loadError, &warning, path)) << loadError;
    EXPECT_EQ(warning, "");
    return model;
}

const tinygltf::Node& Root(const tinygltf::Model& model)
{
    return model.nodes.at(static_cast<std::size_t>(model.scenes.at(0).nodes.at(0)));
}

template <class T> std::vector<T> Slice(const std::vector<T>& values, std::size_t first, std::size_t count)
{
    return std::vector<T>(values.begin() + static_cast<std::ptrdiff_t>(first),
                          values.begin() + static_cast<std::ptrdiff_t>(first + count));
}

} // namespace

TEST(SceneMeshGlb, EveryFaceIsAPrimitiveOverItsShapesNodes)
{
    const std::vector<NamedMesh> meshes = korrgeom::MeshScene(korrgeom::EmbeddedScene().build(), 0.1);
    ASSERT_EQ(meshes.size(), 5u);
    const tinygltf::Model model = WrittenAndRead(meshes, "korrgeom_scene_meshes.glb");

    const tinygltf::Node& root = Root(model);
    EXPECT_EQ(root.mesh, -1);
    std::size_t instances = 0;
    for (const NamedMesh& named : meshes)
        instances += named.mesh.Instances.size();
    ASSERT_EQ(root.children.size(), instances);

    // The first node of each shape draws the shape's first instance as it is.
    std::size_t child = 0;
    for (const NamedMesh& named : meshes) {
        const KShapeMesh& mesh = named.mesh;
        const tinygltf::Node& node = model.nodes.at(static_cast<std::size_t>(root.children[child]));
        child += mesh.Instances.size();
        EXPECT_EQ(node.name, named.name);
        EXPECT_TRUE(node.matrix.empty()) << named.name;
        const std::vector<tinygltf::Primitive>& primitives =
            model.meshes.at(static_cast<std::size_t>(node.mesh)).primitives;

        const KMeshInstance& instance = mesh.Instances.front();
        std::size_t faces = 0, lines = 0;
        for (std::size_t f = instance.Faces.First; f < instance.Faces.First + instance.Faces.Count; ++f)
            faces += mesh.Faces[f].Triangles.Count > 0;
        for (std::size_t e = instance.Edges.First; e < instance.Edges.First + instance.Edges.Count; ++e)
            lines += mesh.Edges[e].Count >= 2;
        ASSERT_EQ(primitives.size(), faces + lines) << named.name;

        const std::size_t firstNode = mesh.Faces[instance.Faces.First].Nodes.First;
        for (std::size_t p = 0; p < faces; ++p) {
            const KMeshFaceRange& face = mesh.Faces[instance.Faces.First + p];
            const tinygltf::Primitive& primitive = primitives[p];
            EXPECT_EQ(primitive.mode, TINYGLTF_MODE_TRIANGLES);
            const std::vector<float> positions = Read<float>(model, primitive.attributes.at("POSITION"), 3);
            const std::vector<float> normals = Read<float>(model, primitive.attributes.at("NORMAL"), 3);
            const std::vector<unsigned int> indices = Read<unsigned int>(model, primitive.indices, 1);
            ASSERT_EQ(indices.size(), 3 * face.Triangles.Count);
            for (std::size_t i = 0; i < indices.size(); ++i) {
                const std::size_t node = mesh.Indices[3 * face.Triangles.First + i];
                ASSERT_EQ(indices[i], node - firstNode);
                EXPECT_EQ(Slice(positions, 3 * indices[i], 3), Slice(mesh.Positions, 3 * node, 3));
                EXPECT_EQ(Slice(normals, 3 * indices[i], 3), Slice(mesh.Normals, 3 * node, 3));
            }
        }
        for (std::size_t p = faces; p < primitives.size(); ++p)
            EXPECT_EQ(primitives[p].mode, TINYGLTF_MODE_LINE_STRIP);
    }
}

TEST(SceneMeshGlb, LocatedCopiesShareOneMeshThroughTheirNodes)
{
    const ShapePtr block = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(1, 2, 3));
    ShapeList copies;
    for (int k = 0; k < 50; ++k)
        copies.push_back(KFeatureTools::Translate(block, Vector3(3.0 * k, 0, 0)));
    const std::vector<NamedMesh> row = korrgeom::MeshScene({{"row", KBrepTools::MakeCompound(copies)}}, 0.1);
    ASSERT_EQ(row.size(), 1u);
    const tinygltf::Model model = WrittenAndRead(row, "korrgeom_instances.glb");

    EXPECT_EQ(model.meshes.size(), 1u);
    const tinygltf::Node& root = Root(model);
    ASSERT_EQ(root.children.size(), 50u);
    for (int k = 0; k < 50; ++k) {
        const tinygltf::Node& node =
            model.nodes.at(static_cast<std::size_t>(root.children[static_cast<std::size_t>(k)]));
        EXPECT_EQ(node.mesh, 0);
        // Column-major: the translation is in entries 12 to 14.
        const std::vector<double> expected =
            k == 0 ? std::vector<double>{} : std::vector<double>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 3.0 * k, 0, 0, 1};
        EXPECT_EQ(node.matrix, expected) << "copy " << k;
    }
    // One box's data, not fifty.
    EXPECT_LT(model.buffers.at(0).data.size(), row.front().mesh.Positions.size() * sizeof(float));
}

TEST(SceneMeshGlb, RelativePlacementUndoesTheFirstAndAppliesTheSecond)
{
    // A quarter turn about Z with a shift, and a mirror in x = 0 with another.
    const KMath::Matrix4 first(0, -1, 0, 5, 1, 0, 0, 0, 0, 0, 1, 2, 0, 0, 0, 1);
    const KMath::Matrix4 second(-1, 0, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    // first carries (1, 0, 0) to (5, 1, 2); second carries (1, 0, 0) to (0, 0, 0).
    const KMath::Matrix4 relative = korrgeom::Relative(second, first);
    const double x = 5, y = 1, z = 2;
    EXPECT_NEAR(relative(0, 0) * x + relative(0, 1) * y + relative(0, 2) * z + relative(0, 3), 0, 1e-12);
    EXPECT_NEAR(relative(1, 0) * x + relative(1, 1) * y + relative(1, 2) * z + relative(1, 3), 0, 1e-12);
    EXPECT_NEAR(relative(2, 0) * x + relative(2, 1) * y + relative(2, 2) * z + relative(2, 3), 0, 1e-12);
    EXPECT_TRUE(korrgeom::IsIdentity(korrgeom::Relative(first, first)));
    EXPECT_EQ(korrgeom::ColumnMajor(first)[12], 5);
}
