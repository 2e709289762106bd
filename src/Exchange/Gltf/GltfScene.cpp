#include "Exchange/Gltf/GltfScene.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "Exchange/Gltf/GltfBuffer.h"
#include "Exchange/Gltf/GltfMaterials.h"

namespace KorrCore::Gltf {

namespace {

std::string KindName(TopoShapeType kind)
{
    static const char* const names[] = {"Compound", "CompSolid", "Solid", "Shell", "Face", "Wire", "Edge", "Vertex"};
    return kind >= TopoCompound && kind <= TopoVertex ? names[kind] : "Shape";
}

std::string NodeName(const UseTree& use, std::size_t number)
{
    if (!use.name.empty())
        return use.name;
    if (!use.product.empty())
        return use.product;
    return KindName(use.kind) + " " + std::to_string(number);
}

// Column by column, as glTF stores a matrix, with the translation in metres;
// none for the identity, which glTF takes by default.
std::vector<double> NodeMatrix(const KMath::Matrix4& placement, double modelUnit)
{
    bool identity = true;
    for (int i = 0; i < 16; ++i)
        identity = identity && placement.m[i] == KMath::Matrix4::IDENTITY.m[i];
    if (identity)
        return {};
    std::vector<double> entries(16);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            entries[static_cast<std::size_t>(4 * column + row)] =
                placement(row, column) * (column == 3 && row < 3 ? modelUnit : 1.0);
    return entries;
}

tinygltf::Value Triple(std::size_t a, std::size_t b, std::size_t c)
{
    return tinygltf::Value(tinygltf::Value::Array{tinygltf::Value(static_cast<int>(a)),
                                                  tinygltf::Value(static_cast<int>(b)),
                                                  tinygltf::Value(static_cast<int>(c))});
}

class SceneBuilder {
public:
    explicit SceneBuilder(const GltfSettings& settings) : settings(settings), buffer(model), materials(model)
    {
        model.asset.version = "2.0";
        model.asset.generator = "KorrGeomCore";
        // A quarter turn about -X.
        root.rotation = {-std::sqrt(0.5), 0.0, 0.0, std::sqrt(0.5)};
    }

    void Add(const KShapeMesh& mesh, const UseTree& tree)
    {
        std::vector<int> meshes;
        meshes.reserve(mesh.Parts.size());
        for (const KMeshPart& part : mesh.Parts)
            meshes.push_back(AddPart(part));
        std::map<std::size_t, int> placed;
        for (const KMeshInstance& instance : mesh.Instances)
            if (meshes[instance.Part] >= 0)
                placed.emplace(instance.Occurrence, meshes[instance.Part]);
        const int node = AddNode(tree, placed);
        if (node >= 0)
            root.children.push_back(node);
    }

    tinygltf::Model Finish()
    {
        model.nodes.push_back(root);
        model.scenes.emplace_back();
        model.scenes[0].nodes.push_back(static_cast<int>(model.nodes.size() - 1));
        model.defaultScene = 0;
        // A file without data has no buffer: glTF forbids an empty one.
        if (model.buffers.front().data.empty())
            model.buffers.clear();
        return std::move(model);
    }

private:
    // The use's node, its children's first; -1 when it would show nothing
    // (glTF's validator frowns on empty nodes).
    int AddNode(const UseTree& use, const std::map<std::size_t, int>& placed)
    {
        tinygltf::Node node;
        if (use.children.empty() && use.kind != TopoCompound) {
            const auto found = placed.find(use.occurrence);
            if (found == placed.end())
                return -1;
            node.mesh = found->second;
        }
        for (const UseTree& child : use.children)
            if (const int index = AddNode(child, placed); index >= 0)
                node.children.push_back(index);
        if (node.mesh < 0 && node.children.empty())
            return -1;
        node.name = NodeName(use, model.nodes.size() + 1);
        node.matrix = NodeMatrix(use.placement, settings.modelUnit);
        node.extras = tinygltf::Value(tinygltf::Value::Object{{"product", tinygltf::Value(use.product)},
                                                              {"instance", tinygltf::Value(use.name)}});
        model.nodes.push_back(std::move(node));
        return static_cast<int>(model.nodes.size() - 1);
    }

    // The part's glTF mesh, or -1 when it has nothing to draw: glTF allows no
    // mesh without primitives.
    int AddPart(const KMeshPart& part)
    {
        tinygltf::Mesh mesh;
        mesh.name = part.Product;
        if (part.TriangleCount() > 0)
            AddSurfaces(part, mesh.primitives);
        if (settings.edges)
            AddEdges(part, mesh.primitives);
        if (mesh.primitives.empty())
            return -1;
        model.meshes.push_back(std::move(mesh));
        return static_cast<int>(model.meshes.size() - 1);
    }

    // One primitive per material, its faces' triangles one after another,
    // all over the part's nodes.
    void AddSurfaces(const KMeshPart& part, std::vector<tinygltf::Primitive>& primitives)
    {
        std::map<std::string, int> attributes{{"POSITION", buffer.AddPoints(part.Positions, settings.modelUnit)},
                                              {"NORMAL", buffer.AddVectors(part.Normals, TINYGLTF_TYPE_VEC3)}};
        if (settings.texCoords)
            attributes["TEXCOORD_0"] = buffer.AddVectors(part.TexCoords, TINYGLTF_TYPE_VEC2);
        struct Group {
            int material;
            std::vector<std::size_t> faces;
        };
        std::vector<Group> groups;
        for (std::size_t f = 0; f < part.Faces.size(); ++f) {
            if (part.Faces[f].Triangles.Count == 0)
                continue;
            const int material = materials.Surface(part.Faces[f].Colour, !part.Closed);
            auto group = std::find_if(groups.begin(), groups.end(),
                                      [material](const Group& candidate) { return candidate.material == material; });
            if (group == groups.end())
                group = groups.insert(groups.end(), Group{material, {}});
            group->faces.push_back(f);
        }
        for (const Group& group : groups) {
            std::vector<unsigned int> indices;
            tinygltf::Value::Array ranges;
            for (std::size_t f : group.faces) {
                const KMeshRange& triangles = part.Faces[f].Triangles;
                ranges.push_back(Triple(f, indices.size() / 3, triangles.Count));
                const auto first = part.Indices.begin() + static_cast<std::ptrdiff_t>(3 * triangles.First);
                indices.insert(indices.end(), first, first + static_cast<std::ptrdiff_t>(3 * triangles.Count));
            }
            tinygltf::Primitive primitive;
            primitive.mode = TINYGLTF_MODE_TRIANGLES;
            primitive.attributes = attributes;
            primitive.indices = buffer.AddIndices(indices, part.NodeCount());
            primitive.material = group.material;
            primitive.extras = tinygltf::Value(tinygltf::Value::Object{{"faces", tinygltf::Value(std::move(ranges))}});
            primitives.push_back(std::move(primitive));
        }
    }

    // Every edge's polyline as segments of one line primitive.
    void AddEdges(const KMeshPart& part, std::vector<tinygltf::Primitive>& primitives)
    {
        std::vector<unsigned int> segments;
        for (const KMeshRange& edge : part.Edges)
            for (std::size_t p = edge.First; p + 1 < edge.First + edge.Count; ++p) {
                segments.push_back(static_cast<unsigned int>(p));
                segments.push_back(static_cast<unsigned int>(p + 1));
            }
        if (segments.empty())
            return;
        tinygltf::Primitive primitive;
        primitive.mode = TINYGLTF_MODE_LINE;
        primitive.attributes["POSITION"] = buffer.AddPoints(part.EdgePoints, settings.modelUnit);
        primitive.indices = buffer.AddIndices(segments, part.EdgePoints.size() / 3);
        primitive.material = materials.Edges();
        primitives.push_back(std::move(primitive));
    }

    const GltfSettings& settings;
    tinygltf::Model model;
    GltfBuffer buffer;
    GltfMaterials materials;
    tinygltf::Node root;
};

} // namespace

tinygltf::Model SceneModel(const std::vector<KShapeMesh>& meshes, const std::vector<UseTree>& trees,
                           const GltfSettings& settings)
{
    SceneBuilder builder(settings);
    for (std::size_t i = 0; i < meshes.size(); ++i)
        builder.Add(meshes[i], trees[i]);
    return builder.Finish();
}

} // namespace KorrCore::Gltf
