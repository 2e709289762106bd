#pragma once

#include <string>
#include <vector>

#include "DisplayMesh.h"
#include "SceneMeshes.h"

namespace korrgeom {

// Writes the mesh as a binary glTF 2.0 file (.glb) that standard viewers open:
// one mesh holding a triangle primitive (POSITION, NORMAL, TEXCOORD_0 and
// indices) and one LINE_STRIP primitive per polyline, placed by the root node,
// which turns the model's +Z up into glTF's +Y up. Returns false, with the reason
// in `error`, when the file cannot be written.
bool WriteGlb(const DisplayMesh& mesh, const std::string& path, std::string& error);

// The same for meshes made by KShapeMesher, below the same root node: one
// node per instance, named after its shape, and per part of a shape one glTF
// mesh that every instance of the part refers to, with one triangle
// primitive per face (so that a viewer can pick faces) and one LINE_STRIP
// per edge.
bool WriteGlb(const std::vector<NamedMesh>& meshes, const std::string& path, std::string& error);

} // namespace korrgeom
