#pragma once

#include <cstddef>
#include <vector>

#include <tiny_gltf.h>

namespace KorrCore::Gltf {

// The model's one buffer (a binary file's BIN chunk) and the views and
// accessors over it. Every view starts on a four-byte boundary, as accessors
// of floats and 32-bit indices need.
class GltfBuffer {
public:
    explicit GltfBuffer(tinygltf::Model& model);

    // x, y, z per point, scaled; with the bounds glTF asks of positions.
    int AddPoints(const std::vector<float>& xyz, double scale);
    // Tightly packed float vectors (type TINYGLTF_TYPE_VEC2 or _VEC3).
    int AddVectors(const std::vector<float>& values, int type);
    // Node numbers, as 16-bit integers when every number fits (the largest
    // 16-bit value is kept free, as glTF asks) and as 32-bit otherwise.
    int AddIndices(const std::vector<unsigned int>& indices, std::size_t nodeCount);

private:
    int AddView(const void* bytes, std::size_t length, int target);
    int AddAccessor(int view, std::size_t count, int componentType, int type);

    tinygltf::Model& model;
};

} // namespace KorrCore::Gltf
