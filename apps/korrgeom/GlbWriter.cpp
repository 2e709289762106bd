#include "GlbWriter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <fstream>
#include <map>

#include <tiny_gltf.h>

#include "Placements.h"

namespace korrgeom {

namespace {

using KorrCore::KMeshFace;
using KorrCore::KMeshInstance;
using KorrCore::KMeshPart;
using KorrCore::KMeshRange;

// Builds the model: every buffer goes into glTF buffer 0, which a binary file
// carries as its BIN chunk. Everything hangs below one root node that turns
// the model's +Z up into glTF's +Y up.
class ModelBuilder {
public:
    ModelBuilder()
    {
        model.asset.version = "2.0";
        model.asset.generator = "korrgeom";
        model.buffers.emplace_back();
        // A quarter turn about -X.
        root.rotation = {-std::sqrt(0.5), 0.0, 0.0, std::sqrt(0.5)};
    }

    // Appends count values as a buffer view and returns its index.
    template <class T> int AddView(const T* values, std::size_t count, int target, std::size_t byteStride = 0)
    {
        std::vector<unsigned char>& bytes = model.buffers[0].data;
        tinygltf::BufferView view;
        view.buffer = 0;
        view.byteOffset = bytes.size();
        view.byteLength = count * sizeof(T);
        view.target = target;
        view.byteStride = byteStride;
        bytes.resize(bytes.size() + view.byteLength);
        std::memcpy(bytes.data() + view.byteOffset, values, view.byteLength);
        model.bufferViews.push_back(view);
        return static_cast<int>(model.bufferViews.size() - 1);
    }

    template <class T> int AddView(const std::vector<T>& values, int target, std::size_t byteStride = 0)
    {
        return AddView(values.data(), values.size(), target, byteStride);
    }

    int AddAccessor(int view, std::size_t firstElement, std::size_t count, int componentType, int type,
                    std::size_t elementBytes)
    {
        tinygltf::Accessor accessor;
        accessor.bufferView = view;
        accessor.byteOffset = firstElement * elementBytes;
        accessor.count = count;
        accessor.componentType = componentType;
        accessor.type = type;
        model.accessors.push_back(accessor);
        return static_cast<int>(model.accessors.size() - 1);
    }

    // Points as VEC3 floats, with the bounds glTF requires of positions.
    int AddPoints(int view, const float* coordinates, std::size_t firstPoint, std::size_t count)
    {
        const int index =
            AddAccessor(view, firstPoint, count, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, 3 * sizeof(float));
        tinygltf::Accessor& accessor = model.accessors[static_cast<std::size_t>(index)];
        accessor.minValues.assign(3, INFINITY);
        accessor.maxValues.assign(3, -INFINITY);
        for (std::size_t i = 3 * firstPoint; i < 3 * (firstPoint + count); ++i) {
            accessor.minValues[i % 3] = std::min<double>(accessor.minValues[i % 3], coordinates[i]);
            accessor.maxValues[i % 3] = std::max<double>(accessor.maxValues[i % 3], coordinates[i]);
        }
        return index;
    }

    int SurfaceMaterial() { return Material(surfaceMaterial, "surface", {0.72, 0.74, 0.78, 1.0}); }
    int EdgeMaterial() { return Material(edgeMaterial, "edges", {0.05, 0.05, 0.08, 1.0}); }

    // One LINE_STRIP per polyline, each reading its stretch of one view of
    // points. glTF wants the stride spelt out on a view that several accessors
    // share.
    void AddPolylines(const float* points, std::size_t pointCount, const std::vector<KMeshRange>& polylines,
                      std::vector<tinygltf::Primitive>& primitives)
    {
        if (polylines.empty())
            return;
        const int view = AddView(points, 3 * pointCount, TINYGLTF_TARGET_ARRAY_BUFFER, 3 * sizeof(float));
        for (const KMeshRange& polyline : polylines) {
            if (polyline.Count < 2)
                continue;
            tinygltf::Primitive strip;
            strip.mode = TINYGLTF_MODE_LINE_STRIP;
            strip.material = EdgeMaterial();
            strip.attributes["POSITION"] = AddPoints(view, points, polyline.First, polyline.Count);
            primitives.push_back(strip);
        }
    }

    int AddMesh(const std::string& name, std::vector<tinygltf::Primitive> primitives)
    {
        tinygltf::Mesh mesh;
        mesh.name = name;
        mesh.primitives = std::move(primitives);
        model.meshes.push_back(mesh);
        return static_cast<int>(model.meshes.size() - 1);
    }

    tinygltf::Node& Root() { return root; }

    int AddNode(tinygltf::Node node)
    {
        model.nodes.push_back(std::move(node));
        return static_cast<int>(model.nodes.size() - 1);
    }

    tinygltf::Model& Finish()
    {
        model.scenes.emplace_back();
        model.defaultScene = 0;
        model.scenes[0].nodes.push_back(AddNode(root));
        return model;
    }

private:
    int Material(int& index, const char* name, std::vector<double> colour)
    {
        if (index >= 0)
            return index;
        tinygltf::Material material;
        material.name = name;
        material.pbrMetallicRoughness.baseColorFactor = std::move(colour);
        material.pbrMetallicRoughness.metallicFactor = 0.0;
        material.pbrMetallicRoughness.roughnessFactor = 0.6;
        model.materials.push_back(material);
        index = static_cast<int>(model.materials.size() - 1);
        return index;
    }

    tinygltf::Model model;
    tinygltf::Node root;
    int surfaceMaterial = -1, edgeMaterial = -1;
};

// The display mesh of the per-face round trip: one triangle primitive for the
// whole scene, and the polylines, in the root's own mesh.
void AddDisplayMesh(ModelBuilder& builder, const DisplayMesh& mesh)
{
    std::vector<tinygltf::Primitive> primitives;
    if (mesh.TriangleCount() > 0) {
        tinygltf::Primitive surface;
        surface.mode = TINYGLTF_MODE_TRIANGLES;
        surface.material = builder.SurfaceMaterial();
        const std::size_t nodes = mesh.NodeCount();
        surface.attributes["POSITION"] = builder.AddPoints(
            builder.AddView(mesh.positions, TINYGLTF_TARGET_ARRAY_BUFFER), mesh.positions.data(), 0, nodes);
        surface.attributes["NORMAL"] =
            builder.AddAccessor(builder.AddView(mesh.normals, TINYGLTF_TARGET_ARRAY_BUFFER), 0, nodes,
                                TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, 0);
        surface.attributes["TEXCOORD_0"] =
            builder.AddAccessor(builder.AddView(mesh.texCoords, TINYGLTF_TARGET_ARRAY_BUFFER), 0, nodes,
                                TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC2, 0);
        surface.indices =
            builder.AddAccessor(builder.AddView(mesh.indices, TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER), 0,
                                mesh.indices.size(), TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT, TINYGLTF_TYPE_SCALAR, 0);
        primitives.push_back(surface);
    }
    std::vector<KMeshRange> polylines;
    for (const DisplayMesh::Polyline& polyline : mesh.polylines)
        polylines.push_back({polyline.firstPoint, polyline.pointCount});
    builder.AddPolylines(mesh.linePoints.data(), mesh.LinePointCount(), polylines, primitives);
    if (!primitives.empty()) // glTF allows no mesh without primitives
        builder.Root().mesh = builder.AddMesh("korrgeom", std::move(primitives));
}

// One glTF mesh made of one part: a triangle primitive per face (so that a
// viewer picks faces) over the part's nodes, and a line strip per edge.
int AddPartMesh(ModelBuilder& builder, const std::string& name, const KMeshPart& part)
{
    std::vector<tinygltf::Primitive> primitives;
    if (part.TriangleCount() > 0) {
        const std::size_t nodes = part.NodeCount();
        const int indexView = builder.AddView(part.Indices, TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
        const int position = builder.AddPoints(builder.AddView(part.Positions, TINYGLTF_TARGET_ARRAY_BUFFER),
                                               part.Positions.data(), 0, nodes);
        const int normal = builder.AddAccessor(builder.AddView(part.Normals, TINYGLTF_TARGET_ARRAY_BUFFER), 0, nodes,
                                               TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, 0);
        const int texCoord = builder.AddAccessor(builder.AddView(part.TexCoords, TINYGLTF_TARGET_ARRAY_BUFFER), 0,
                                                 nodes, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC2, 0);
        for (const KMeshFace& face : part.Faces) {
            if (face.Triangles.Count == 0)
                continue;
            tinygltf::Primitive primitive;
            primitive.mode = TINYGLTF_MODE_TRIANGLES;
            primitive.material = builder.SurfaceMaterial();
            primitive.attributes = {{"POSITION", position}, {"NORMAL", normal}, {"TEXCOORD_0", texCoord}};
            primitive.indices =
                builder.AddAccessor(indexView, 3 * face.Triangles.First, 3 * face.Triangles.Count,
                                    TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT, TINYGLTF_TYPE_SCALAR, sizeof(unsigned int));
            primitives.push_back(primitive);
        }
    }
    builder.AddPolylines(part.EdgePoints.data(), part.EdgePoints.size() / 3, part.Edges, primitives);
    return primitives.empty() ? -1 : builder.AddMesh(name, std::move(primitives));
}

// One node per instance below the root, placed as the instance is.
void AddShapeMesh(ModelBuilder& builder, const NamedMesh& named)
{
    std::vector<int> meshes;
    for (std::size_t p = 0; p < named.mesh.Parts.size(); ++p)
        meshes.push_back(
            AddPartMesh(builder, named.name + (p == 0 ? "" : " part " + std::to_string(p)), named.mesh.Parts[p]));
    for (std::size_t k = 0; k < named.mesh.Instances.size(); ++k) {
        const KMeshInstance& instance = named.mesh.Instances[k];
        if (meshes[instance.Part] < 0)
            continue;
        tinygltf::Node node;
        node.name = named.name + (k == 0 ? "" : " #" + std::to_string(k));
        node.mesh = meshes[instance.Part];
        if (!IsIdentity(instance.Placement))
            node.matrix = ColumnMajor(instance.Placement);
        builder.Root().children.push_back(builder.AddNode(node));
    }
}

// tinygltf's own file writer reports success whatever happened to the file,
// so the stream is ours and its state is checked.
bool Save(const tinygltf::Model& model, const std::string& path, std::string& error)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        error = "cannot open " + path + " for writing";
        return false;
    }
    tinygltf::TinyGLTF writer;
    if (!writer.WriteGltfSceneToStream(&model, out, false, true)) {
        error = "cannot serialise the glTF model";
        return false;
    }
    out.close();
    if (!out) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace

bool WriteGlb(const DisplayMesh& mesh, const std::string& path, std::string& error)
{
    ModelBuilder builder;
    AddDisplayMesh(builder, mesh);
    return Save(builder.Finish(), path, error);
}

bool WriteGlb(const std::vector<NamedMesh>& meshes, const std::string& path, std::string& error)
{
    ModelBuilder builder;
    for (const NamedMesh& named : meshes)
        AddShapeMesh(builder, named);
    return Save(builder.Finish(), path, error);
}

} // namespace korrgeom
