#include "Exchange/Gltf/GltfMaterials.h"

#include <cstdio>
#include <string>

namespace KorrCore::Gltf {

namespace {

// Matte and not metallic: a viewer without an environment to reflect would
// show metal nearly black.
constexpr double kRoughness = 0.6;
constexpr KColor kNeutral{0.72f, 0.74f, 0.78f, 1.0f};
constexpr KColor kEdgeColour{0.05f, 0.05f, 0.08f, 1.0f};

std::string HexName(const KColor& colour)
{
    const auto byte = [](float channel) { return static_cast<unsigned>(channel * 255.0f + 0.5f) & 0xffu; };
    char name[16];
    std::snprintf(name, sizeof name, "#%02x%02x%02x", byte(colour.Red), byte(colour.Green), byte(colour.Blue));
    return name;
}

} // namespace

int GltfMaterials::Surface(const std::optional<KColor>& colour, bool doubleSided)
{
    const KColor& shown = colour.value_or(kNeutral);
    const auto key = std::make_tuple(colour.has_value(), shown.Red, shown.Green, shown.Blue, shown.Alpha, doubleSided);
    const auto found = surfaces.find(key);
    if (found != surfaces.end())
        return found->second;
    const std::string name = colour ? HexName(shown) : std::string("default");
    return surfaces[key] = Add(shown, name.c_str(), doubleSided);
}

int GltfMaterials::Edges()
{
    if (edges < 0)
        edges = Add(kEdgeColour, "edges", false);
    return edges;
}

int GltfMaterials::Add(const KColor& colour, const char* name, bool doubleSided)
{
    tinygltf::Material material;
    material.name = name;
    material.doubleSided = doubleSided;
    // glTF takes factors from 0 to 1 only.
    const auto factor = [](float value) { return value > 0.0f ? (value < 1.0f ? double(value) : 1.0) : 0.0; };
    material.pbrMetallicRoughness.baseColorFactor = {factor(colour.Red), factor(colour.Green), factor(colour.Blue),
                                                     factor(colour.Alpha)};
    material.pbrMetallicRoughness.metallicFactor = 0.0;
    material.pbrMetallicRoughness.roughnessFactor = kRoughness;
    if (colour.Alpha < 1.0f)
        material.alphaMode = "BLEND";
    model.materials.push_back(material);
    return static_cast<int>(model.materials.size() - 1);
}

} // namespace KorrCore::Gltf
