#pragma once

#include <cstring>
#include <vector>

#include <gtest/gtest.h>
#include <tiny_gltf.h>

namespace korrgeom_test {

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
    std::memcpy(values.data(), bytes.data() + offset, values.size() * sizeof(T));
    return values;
}

} // namespace korrgeom_test
