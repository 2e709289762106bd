#pragma once

#include <TopoDS_Face.hxx>
#include <TopoDS_Shape.hxx>

// What the kernel's mesher and curve sampler need to finish: on inputs that
// break these they crash or grind on for minutes instead of failing.
namespace KorrCore {

// Whether the mesher and the curve sampler can meet the deflection on the
// shape. They never return for NaN, nor for a deflection finer than doubles can
// resolve at the shape's coordinates (far from the origin they keep splitting
// while rounding noise exceeds the deflection), nor on shapes reaching beyond
// the library's model magnitude (scaling or a file can take them there). Zero
// and negative deflections are left to the kernel, which refuses them.
bool MeetableDeflection(double deflection, const TopoDS_Shape& shape);

// False when an edge of the face claims the same parameter range on the face
// as in space (the kernel's SameRange flag) but stores another one: damaged
// data, as a corrupted file can hold, on which the mesher works for minutes.
bool EdgeRangesAgree(const TopoDS_Face& face);

// The shape itself when every face can be meshed, otherwise a compound of the
// faces that can; meshing either attaches triangulations to the same faces.
TopoDS_Shape MeshableFaces(const TopoDS_Shape& shape);

} // namespace KorrCore
