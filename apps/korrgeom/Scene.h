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
// is built. The display round trip takes any source, so another one (a BRep
// file named on the command line, say) slots in beside the embedded scene.
struct SceneSource {
    std::string description;
    std::function<Scene()> build;
};

// The embedded default: one of each solid primitive side by side, and a row
// of located copies of one block.
SceneSource EmbeddedScene();

} // namespace korrgeom
