#pragma once

#include <TopoDS_Shape.hxx>

// What meshing may take: checked against the estimate (MeshEstimate.h) before
// the kernel's mesher starts.
namespace KorrCore {

// The most triangles a mesh may have unless the host says otherwise
// (KMeshOptions::MaxTriangles): far more than any display shows, and within
// the memory of an ordinary machine.
constexpr double kDefaultMaxTriangles = 50e6;

// Whether meshing every face of `shape` at the deflection (a length) and the
// angle stays within `maxTriangles`, the time the meshing watch allows
// (MeshingAllowance) and the memory the process can still get, asked in that
// order. When it does not, the calling thread's outcome says which bound and
// by how much (TooLarge, TimedOut, OutOfMemory), and the answer is false.
bool WithinMeshingBudget(const TopoDS_Shape& shape, double deflection, double angle, double maxTriangles);

} // namespace KorrCore
