#pragma once

#include <TopoDS_Shape.hxx>

namespace KorrCore {

// Whether the kernel's mesher and curve sampler can meet the deflection on the
// shape. They never return for NaN, nor for a deflection finer than doubles can
// resolve at the shape's coordinates (far from the origin they keep splitting
// while rounding noise exceeds the deflection). Zero and negative deflections
// are left to the kernel, which refuses them.
bool MeetableDeflection(double deflection, const TopoDS_Shape& shape);

} // namespace KorrCore
