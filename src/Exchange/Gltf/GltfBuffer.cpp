#include "Exchange/Gltf/GltfBuffer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace KorrCore::Gltf {

GltfBuffer::GltfBuffer(tinygltf::Model& model) : model(model)
{
    model.buffers.emplace_back();
}

int GltfBuffer::AddView(const void* bytes, std::size_t length, int target)
{
    std::vector<unsigned char>& data = model.buffers.front().data;
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = (data.size() + 3) / 4 * 4;
    view.byteLength = length;
    view.target = target;
    data.resize(view.byteOffset + length);
    std::memcpy(data.data() + view.byteOffset, bytes, length);
    model.bufferViews.push_back(view);
    return static_cast<int>(model.bufferViews.size() - 1);
}

int GltfBuffer::AddAccessor(int view, std::size_t count, int componentType, int type)
{
    tinygltf::Accessor accessor;
    accessor.bufferView = view;
    accessor.count = count;
    accessor.componentType = componentType;
    accessor.type = type;
    model.accessors.push_back(accessor);
    return static_cast<int>(model.accessors.size() - 1);
}

int GltfBuffer::AddPoints(const std::vector<float>& xyz, double scale)
{
    std::vector<float> scaled(xyz.size());
    std::vector<double> lower(3, std::numeric_limits<double>::infinity());
    std::vector<double> upper(3, -std::numeric_limits<double>::infinity());
    for (std::size_t i = 0; i < xyz.size(); ++i) {
        scaled[i] = static_cast<float>(xyz[i] * scale);
        lower[i % 3] = std::min<double>(lower[i % 3], scaled[i]);
        upper[i % 3] = std::max<double>(upper[i % 3], scaled[i]);
    }
    const int view = AddView(scaled.data(), scaled.size() * sizeof(float), TINYGLTF_TARGET_ARRAY_BUFFER);
    const int index = AddAccessor(view, xyz.size() / 3, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3);
    model.accessors.back().minValues = std::move(lower);
    model.accessors.back().maxValues = std::move(upper);
    return index;
}

int GltfBuffer::AddVectors(const std::vector<float>& values, int type)
{
    const std::size_t size = type == TINYGLTF_TYPE_VEC2 ? 2 : 3;
    const int view = AddView(values.data(), values.size() * sizeof(float), TINYGLTF_TARGET_ARRAY_BUFFER);
    return AddAccessor(view, values.size() / size, TINYGLTF_COMPONENT_TYPE_FLOAT, type);
}

int GltfBuffer::AddIndices(const std::vector<unsigned int>& indices, std::size_t nodeCount)
{
    if (nodeCount > std::numeric_limits<std::uint16_t>::max()) {
        const int view =
            AddView(indices.data(), indices.size() * sizeof(unsigned int), TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
        return AddAccessor(view, indices.size(), TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT, TINYGLTF_TYPE_SCALAR);
    }
    const std::vector<std::uint16_t> narrow(indices.begin(), indices.end());
    const int view =
        AddView(narrow.data(), narrow.size() * sizeof(std::uint16_t), TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
    return AddAccessor(view, narrow.size(), TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT, TINYGLTF_TYPE_SCALAR);
}

} // namespace KorrCore::Gltf
