#pragma once

#include <TopoDS_Wire.hxx>

#include <string>
#include <vector>

// Screening of sweep paths and loft sections for the degenerate cases on which
// the kernel's sweeping and skinning crash or never return, instead of raising.
namespace KorrCore {

// A path or profile the kernel's sweeping can take. It crashes on wires that
// fail its own validity check or run along the same edge twice, and its moving
// frames recurse without end along a curve of no length (a circle of radius
// zero, a shape scaled down to nothing), overflowing the stack: a sweepable
// wire is valid, uses each edge once, and every edge of it has a length. A
// wire that is not is recorded as an invalid argument named `what`.
bool Sweepable(const TopoDS_Shape& wire, const std::string& what);

// Sections the skinning can take: each sweepable, and no two consecutive ones
// lying on top of each other; recorded as Sweepable records.
bool Skinnable(const std::vector<TopoDS_Wire>& sections);

} // namespace KorrCore
