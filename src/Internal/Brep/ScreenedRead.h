#pragma once

#include <string_view>

#include <TopoDS_Shape.hxx>

#include "Internal/Brep/BrepFileScreen.h"

namespace KorrCore {

// The shape of a whole BRep text, read by the kernel's reader once the screen
// (BrepFileScreen.h) has passed the text, and kept only when every geometry
// entry the shapes refer to came through: where the kernel cannot build a
// curve or surface record it stores an empty entry, and the edges, faces and
// vertices referring to it quietly lose that geometry. A null shape
// otherwise, with where the reading stopped in `stop`. Raises what the kernel
// raises.
TopoDS_Shape ReadScreened(std::string_view text, ScreenStop* stop = nullptr);

} // namespace KorrCore
