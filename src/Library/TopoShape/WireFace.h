#pragma once

#include <TopoDS_Face.hxx>
#include <TopoDS_Wire.hxx>

namespace KorrCore {

// The face the kernel fills the wire with (a non-planar fill allowed), or a null
// face when it cannot fill it. Raises, as the kernel itself does for infinite
// coordinates, when the wire reaches out near the kernel's infinity: there the
// kernel's face making can loop forever.
TopoDS_Face FillWire(const TopoDS_Wire& wire);

} // namespace KorrCore
