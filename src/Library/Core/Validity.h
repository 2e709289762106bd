#pragma once

#include <TopoDS_Shape.hxx>
#include <TopoDS_TShape.hxx>

#include <string>

#include "Internal/Core/ShapeAccess.h"

namespace KorrCore {

// The kernel's own validity check of a shape (BRepCheck_Analyzer). Its
// booleans leak and crash on operands that fail it, its sweeps crash on paths
// that fail it, and its blends report success for results that fail it, so
// those operations ask here before they run or before they hand out a result.
bool KernelValid(const TopoDS_Shape& shape);

// The same for the shape a handle holds, checked once: the verdict stays with
// the handle for as long as it holds the same shape data in the same
// orientation, moved rigidly at most (the kernel's shape data does not change
// once built, and such a move changes no distance the check measures).
bool KernelValid(const ShapePtr& handle);
// The same, recording a handle's shape that fails as an invalid argument
// named `what` ("operand 2"), with the first fault the check found.
bool KernelValidOperand(const ShapePtr& handle, const std::string& what);
// The first fault the check finds in the shape ("BRepCheck_NotClosed on a
// shell"), or empty.
std::string FirstFault(const TopoDS_Shape& shape);
// Records that the handle's shape, just made, passed the check.
void PassedKernelCheck(const ShapePtr& handle);

// Withdraws every verdict reached so far: called when the library has changed
// shape data in place (MakeWire forces a tolerance onto its caller's edges).
// The data may be shared by any number of shapes, solids holding the edges
// among them, and a lowered tolerance can make any of them fail the check.
void KernelDataChanged();

// What a verdict was established on.
struct ValidityVerdict {
    Handle(TopoDS_TShape) data;
    TopAbs_Orientation orientation;
    // The count of in-place changes (KernelDataChanged) when it was reached.
    unsigned long changes;
    bool valid;
};

} // namespace KorrCore
