#include "GlbWriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

#include <tiny_gltf.h>

namespace korrgeom {

namespace {

// Builds the model: every buffer of the mesh goes into glTF buffer 0, which a
// binary file carries as its BIN chunk.
class ModelBuilder {
public:
    ModelBuilder()
    {
        model.asset.version = "2.0";
        model.asset.generator = "korrgeom";
        model.buffers.emplace_back();
    }

    // Appends the values as a buffer view and returns its index.
    template <class T> int AddView(const std::vector<T>& values, int target, std::size_t byteStride = 0)
    {
        std::vector<unsigned char>& bytes = model.buffers[0].data;
        tinygltf::BufferView view;
        view.buffer = 0;
        view.byteOffset = bytes.size();
        view.byteLength = values.size() * sizeof(T);
        view.target = target;
        view.byteStride = byteStride;
        bytes.resize(bytes.size() + view.byteLength);
        std::memcpy(bytes.data() + view.byteOffset, values.data(), view.byteLength);
        model.bufferViews.push_back(view);
        return static_cast<int>(model.bufferViews.size() - 1);
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
    int AddPoints(int view, const std::vector<float>& coordinates, std::size_t firstPoint, std::size_t count)
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

    int AddMaterial(const char* name, std::vector<double> colour)
    {
        tinygltf::Material material;
        material.name = name;
        material.pbrMetallicRoughness.baseColorFactor = std::move(colour);
        material.pbrMetallicRoughness.metallicFactor = 0.0;
        material.pbrMetallicRoughness.roughnessFactor = 0.6;
        model.materials.push_back(material);
        return static_cast<int>(model.materials.size() - 1);
    }

    void AddSurface(const DisplayMesh& mesh)
    {
        if (mesh.TriangleCount() == 0)
            return;
        tinygltf::Primitive surface;
        surface.mode = TINYGLTF_MODE_TRIANGLES;
        surface.material = AddMaterial("surface", {0.72, 0.74, 0.78, 1.0});
        const std::size_t nodes = mesh.NodeCount();
        surface.attributes["POSITION"] =
            AddPoints(AddView(mesh.positions, TINYGLTF_TARGET_ARRAY_BUFFER), mesh.positions, 0, nodes);
        surface.attributes["NORMAL"] = AddAccessor(AddView(mesh.normals, TINYGLTF_TARGET_ARRAY_BUFFER), 0, nodes,
                                                   TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, 0);
        surface.attributes["TEXCOORD_0"] = AddAccessor(AddView(mesh.texCoords, TINYGLTF_TARGET_ARRAY_BUFFER), 0, nodes,
                                                       TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC2, 0);
        surface.indices =
            AddAccessor(AddView(mesh.indices, TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER), 0, mesh.indices.size(),
                        TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT, TINYGLTF_TYPE_SCALAR, 0);
        primitives.push_back(surface);
    }

    // One view holds every polyline; each strip reads its own stretch of it.
    // glTF wants the stride spelt out on a view that several accessors share.
    void AddEdges(const DisplayMesh& mesh)
    {
        if (mesh.polylines.empty())
            return;
        const int view = AddView(mesh.linePoints, TINYGLTF_TARGET_ARRAY_BUFFER, 3 * sizeof(float));
        const int material = AddMaterial("edges", {0.05, 0.05, 0.08, 1.0});
        for (const DisplayMesh::Polyline& polyline : mesh.polylines) {
            tinygltf::Primitive strip;
            strip.mode = TINYGLTF_MODE_LINE_STRIP;
            strip.material = material;
            strip.attributes["POSITION"] = AddPoints(view, mesh.linePoints, polyline.firstPoint, polyline.pointCount);
            primitives.push_back(strip);
        }
    }

    tinygltf::Model& Finish()
    {
        model.scenes.emplace_back();
        model.defaultScene = 0;
        if (primitives.empty())
            return model; // glTF allows no mesh without primitives
        tinygltf::Mesh mesh;
        mesh.name = "korrgeom";
        mesh.primitives = std::move(primitives);
        model.meshes.push_back(mesh);
        tinygltf::Node node;
        node.mesh = 0;
        // A quarter turn about -X: the model's +Z up becomes glTF's +Y up.
        node.rotation = {-std::sqrt(0.5), 0.0, 0.0, std::sqrt(0.5)};
        model.nodes.push_back(node);
        model.scenes[0].nodes.push_back(0);
        return model;
    }

private:
    tinygltf::Model model;
    std::vector<tinygltf::Primitive> primitives;
};

} // namespace

bool WriteGlb(const DisplayMesh& mesh, const std::string& path, std::string& error)
{
    ModelBuilder builder;
    builder.AddSurface(mesh);
    builder.AddEdges(mesh);
    const tinygltf::Model& model = builder.Finish();

    // tinygltf's own file writer reports success whatever happened to the
    // file, so the stream is ours and its state is checked.
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

} // namespace korrgeom
