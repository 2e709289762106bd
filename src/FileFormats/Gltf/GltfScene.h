#pragma once

#include <vector>

#include <tiny_gltf.h>

#include <KorrGeomCore/TopoExplor/KShapeMesh.h>

namespace KorrCore::Gltf {

struct GltfSettings {
    // The length of one model unit in metres, glTF's unit.
    double modelUnit = 0.001;
    bool edges = true;
    bool texCoords = false;
};

// The model of the meshed shapes: per mesh part one glTF mesh, with one
// triangle primitive per material (its faces' triangle ranges in its extras
// as [face, first triangle, triangle count], faces numbered as in the part)
// and one line primitive for all edges; per instance one node, named by its
// instance and product names, or else by its part's kind and the node's
// number. The nodes hang below one root node that turns the model's +Z up
// into glTF's +Y up.
tinygltf::Model SceneModel(const std::vector<KShapeMesh>& meshes, const GltfSettings& settings);

} // namespace KorrCore::Gltf
