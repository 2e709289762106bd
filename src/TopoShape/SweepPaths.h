#pragma once

#include <TopoDS_Wire.hxx>

#include <vector>

// Screening of sweep paths and loft sections for the degenerate cases on which
// the kernel's sweeping and skinning crash or never return, instead of raising.
namespace KorrCore {

// The kernel's moving frames recurse without end along a curve of no length (a
// circle of radius zero, a shape scaled down to nothing), overflowing the
// stack, and its skinning crashes on such sections: every edge of a path or
// section must have a length.
bool EveryEdgeHasLength(const TopoDS_Wire& path);

// Sections the skinning can take: each with length, and no two consecutive
// ones lying on top of each other.
bool Skinnable(const std::vector<TopoDS_Wire>& sections);

} // namespace KorrCore
