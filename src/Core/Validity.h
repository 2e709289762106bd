#pragma once

#include <TopoDS_Shape.hxx>

namespace KorrCore {

// The kernel's own validity check of a shape (BRepCheck_Analyzer). Its
// booleans leak and crash on operands that fail it, its sweeps crash on paths
// that fail it, and its blends report success for results that fail it, so
// those operations ask here before they run or before they hand out a result.
bool KernelValid(const TopoDS_Shape& shape);

} // namespace KorrCore
