#pragma once

#include <functional>
#include <string>
#include <vector>

#include <KorrGeomCore/KorrGeomCore.h>

namespace korrgeom {

struct NamedShape {
    std::string name;
    KorrCore::ShapePtr shape;
};

using Scene = std::vector<NamedShape>;

// Where the displayed shapes come from: what the summary calls it, and how it
// is built. The display round trip takes any source.
struct SceneSource {
    std::string description;
    std::function<Scene()> build;
};

// The embedded default: a machined part (a block with a pocket cut by a
// boolean, every edge filleted), a sphere and a cone beside it, a star profile
// drawn as a polygon and filled into a face, and a row of located copies of one
// block.
SceneSource EmbeddedScene();

// The shape in a BRep file; the scene is empty when the file cannot be read.
SceneSource FileScene(const std::string& path);

} // namespace korrgeom
