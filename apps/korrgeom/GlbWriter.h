#pragma once

#include <string>

#include "DisplayMesh.h"

namespace korrgeom {

// Writes the mesh as a binary glTF 2.0 file (.glb) that standard viewers open:
// one mesh holding a triangle primitive (POSITION, NORMAL, TEXCOORD_0 and
// indices) and one LINE_STRIP primitive per polyline, placed by one node that
// turns the model's +Z up into glTF's +Y up. Returns false, with the reason
// in `error`, when the file cannot be written.
bool WriteGlb(const DisplayMesh& mesh, const std::string& path, std::string& error);

} // namespace korrgeom
