#pragma once

#include <string>
#include <vector>

#include <KorrGeomCore/KorrGeomCore.h>

namespace korrgeom {

struct NamedShape {
    std::string name;
    KorrCore::ShapePtr shape;
};

// The embedded default scene: one of each solid primitive, side by side.
std::vector<NamedShape> BuildDefaultScene();

} // namespace korrgeom
