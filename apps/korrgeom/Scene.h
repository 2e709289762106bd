#pragma once

#include <string>
#include <vector>

#include <KorrGeomCore/KorrGeomCore.h>

namespace korrgeom {

struct NamedShape {
    std::string name;
    KorrCore::ShapePtr shape;
};

using Scene = std::vector<NamedShape>;

// "solid", "face", ... as the output names kinds of shape.
const char* KindName(KorrCore::TopoShapeType kind);

// The shapes shown when no file is given: a machined part (a block with a
// pocket cut by a boolean, every edge filleted), a sphere and a cone beside
// it, a star profile drawn as a polygon and filled into a face, and a row of
// three located copies of one dimpled block. A shape the kernel could not
// build is null.
Scene EmbeddedScene();

} // namespace korrgeom
