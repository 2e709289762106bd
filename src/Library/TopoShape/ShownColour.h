#pragma once

#include <optional>

#include "Internal/TopoShape/ShapeAttributes.h"

namespace KorrCore {

// The colour the keyed sub-shape of `root` shows with: its own, else that of
// the nearest shape above it that has one: within its part first, then the
// part's use (whose colour is the instance's, else the part's), then the
// assemblies around it. Nothing when none has one, or when the root does not
// hold the key.
std::optional<KColor> ShownColour(const ShapeAttributes& attributes, const TopoDS_Shape& root, const TopoDS_Shape& key);

} // namespace KorrCore
