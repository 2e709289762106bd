#pragma once

#include <string>

#include "Scene.h"

namespace korrgeom {

// Writes the scene's shapes to the file the path's extension names, through
// the library's glTF writer with the given deflection: binary glTF (.glb),
// glTF JSON (.gltf), or the viewer page (.html). False, with the reason in
// `error`, when the file cannot be written.
bool WriteSceneFile(const Scene& scene, double deflection, const std::string& path, std::string& error);

} // namespace korrgeom
