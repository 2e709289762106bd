#pragma once

#include <vector>

#include <tiny_gltf.h>

#include <KorrGeomCore/TopoExplor/KShapeMesh.h>

#include "Exchange/Gltf/UseTree.h"

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
// and one line primitive for all edges. Per shape, one node for each node of
// its tree (the mesh of shape i placed as trees[i] has it), a placed part's
// node holding the part's mesh; a node is named by its instance name, else
// its product name, else its kind and its number, and its extras hold both
// names apart. Nodes that would show nothing are left out. The shapes' nodes
// hang below one root node that turns the model's +Z up into glTF's +Y up.
tinygltf::Model SceneModel(const std::vector<KShapeMesh>& meshes, const std::vector<UseTree>& trees,
                           const GltfSettings& settings);

} // namespace KorrCore::Gltf
