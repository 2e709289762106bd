#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include "GlbWriter.h"
#include "support/GltfAccess.h"
#include "Scene.h"
#include "SceneMeshes.h"

using namespace KorrCore;
using KMath::Vector3;
using korrgeom::NamedMesh;
using KorrTest::Read;

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

    // The first node of each shape draws the shape's first part.
    std::size_t child = 0;
    for (const NamedMesh& named : meshes) {
        const KShapeMesh& mesh = named.mesh;
        const tinygltf::Node& node = model.nodes.at(static_cast<std::size_t>(root.children[child]));
        child += mesh.Instances.size();
        EXPECT_EQ(node.name, named.name);
        const std::vector<tinygltf::Primitive>& primitives =
            model.meshes.at(static_cast<std::size_t>(node.mesh)).primitives;

        const KMeshPart& part = mesh.Parts.at(mesh.Instances.front().Part);
        std::size_t faces = 0, lines = 0;
        for (const KMeshFace& face : part.Faces)
            faces += face.Triangles.Count > 0;
        for (const KMeshRange& edge : part.Edges)
            lines += edge.Count >= 2;
        ASSERT_EQ(primitives.size(), faces + lines) << named.name;

        for (std::size_t p = 0; p < faces; ++p) {
            const KMeshFace& face = part.Faces[p];
            const tinygltf::Primitive& primitive = primitives[p];
            EXPECT_EQ(primitive.mode, TINYGLTF_MODE_TRIANGLES);
            const std::vector<float> positions = Read<float>(model, primitive.attributes.at("POSITION"), 3);
            const std::vector<float> normals = Read<float>(model, primitive.attributes.at("NORMAL"), 3);
            const std::vector<unsigned int> indices = Read<unsigned int>(model, primitive.indices, 1);
            ASSERT_EQ(indices.size(), 3 * face.Triangles.Count);
            for (std::size_t i = 0; i < indices.size(); ++i) {
                const std::size_t node = part.Indices[3 * face.Triangles.First + i];
                ASSERT_EQ(indices[i], node);
                EXPECT_EQ(Slice(positions, 3 * indices[i], 3), Slice(part.Positions, 3 * node, 3));
                EXPECT_EQ(Slice(normals, 3 * indices[i], 3), Slice(part.Normals, 3 * node, 3));
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
    EXPECT_LT(model.buffers.at(0).data.size(), 50 * row.front().mesh.Parts.at(0).Positions.size() * sizeof(float));
}
