#pragma once

#include <TopoDS_Shape.hxx>
#include <TopoDS_Wire.hxx>

namespace KorrCore {

// An edge as a one-edge wire, a wire as it is; a null wire for any other kind.
// Lofts and pipe sweeps take either as a section, spine or profile.
TopoDS_Wire AsWire(const TopoDS_Shape& shape);

} // namespace KorrCore
