#pragma once

#include <cstring>
#include <string>
#include <vector>

#include <KorrGeomCore/Service/KGltfFileService.h>

#include <gtest/gtest.h>
#include <tiny_gltf.h>

namespace KorrTest {

// The bytes an accessor reads, as elements of T (tightly packed or strided
// by exactly one element).
template <class T>
std::vector<T> Read(const tinygltf::Model& model, int accessorIndex, std::size_t componentsPerElement)
{
    const tinygltf::Accessor& accessor = model.accessors.at(static_cast<std::size_t>(accessorIndex));
    const tinygltf::BufferView& view = model.bufferViews.at(static_cast<std::size_t>(accessor.bufferView));
    const std::vector<unsigned char>& bytes = model.buffers.at(static_cast<std::size_t>(view.buffer)).data;
    std::vector<T> values(accessor.count * componentsPerElement);
    const std::size_t offset = view.byteOffset + accessor.byteOffset;
    EXPECT_LE(offset + values.size() * sizeof(T), bytes.size());
    if (offset + values.size() * sizeof(T) <= bytes.size())
        std::memcpy(values.data(), bytes.data() + offset, values.size() * sizeof(T));
    return values;
}

// The model the service writes of the shapes, as binary glTF.
inline tinygltf::Model Written(const KorrCore::ShapeList& shapes,
                               const KorrCore::KGltfFileService& service = KorrCore::KGltfFileService())
{
    const std::string bytes = service.Encode(shapes, true);
    tinygltf::Model model;
    std::string error, warning;
    EXPECT_TRUE(tinygltf::TinyGLTF().LoadBinaryFromMemory(&model, &error, &warning,
                                                          reinterpret_cast<const unsigned char*>(bytes.data()),
                                                          static_cast<unsigned int>(bytes.size())))
        << error;
    return model;
}

// Node numbers, stored as 16- or 32-bit integers.
inline std::vector<unsigned int> ReadIndices(const tinygltf::Model& model, int accessorIndex)
{
    const int type = model.accessors.at(static_cast<std::size_t>(accessorIndex)).componentType;
    if (type == TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT)
        return Read<unsigned int>(model, accessorIndex, 1);
    EXPECT_EQ(type, TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT);
    const std::vector<unsigned short> narrow = Read<unsigned short>(model, accessorIndex, 1);
    return std::vector<unsigned int>(narrow.begin(), narrow.end());
}

} // namespace KorrTest
