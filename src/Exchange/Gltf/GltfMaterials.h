#pragma once

#include <map>
#include <optional>
#include <tuple>

#include <tiny_gltf.h>

#include <KorrGeomCore/Platform/KColor.h>

namespace KorrCore::Gltf {

// The model's materials, each made once: metallic-roughness surfaces in the
// shapes' colours (a neutral grey for faces without one), and the edges'.
class GltfMaterials {
public:
    explicit GltfMaterials(tinygltf::Model& model) : model(model) {}

    // Single-sided for closed solids, whose back faces never show; double-
    // sided for open shells and loose faces, seen from both sides.
    int Surface(const std::optional<KColor>& colour, bool doubleSided);
    int Edges();

private:
    int Add(const KColor& colour, const char* name, bool doubleSided);

    tinygltf::Model& model;
    std::map<std::tuple<bool, float, float, float, float, bool>, int> surfaces;
    int edges = -1;
};

} // namespace KorrCore::Gltf
