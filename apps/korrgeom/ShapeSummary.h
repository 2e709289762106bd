#pragma once

#include <ostream>

#include "Scene.h"

namespace korrgeom {

// One line per shape: its kind, bounding box and the counts of its edges,
// faces and distinct vertices.
void PrintShapeSummary(std::ostream& out, const NamedShape& named);

const char* KindName(KorrCore::TopoShapeType kind);

} // namespace korrgeom
