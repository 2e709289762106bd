#pragma once

#include <TopAbs_ShapeEnum.hxx>
#include <TopoDS_Shape.hxx>

#include <memory>
#include <string>

namespace KorrCore {

// The shape handle by name only: the frame and the checks of the kernel's
// hazards pass handles on and ask these functions about them, so they need
// not see the handle's class (KorrGeomCore/TopoShape/KTopoShape.h), which is
// built on top of them.
class KTopoShape;
using ShapePtr = std::shared_ptr<KTopoShape>;

// A new handle, shared with nobody, holding a copy of the kernel shape (the same
// shape data, location and orientation). Every shape the library returns is
// made here.
ShapePtr WrapShape(const TopoDS_Shape& kernelShape);

// The kernel shape held by a non-null handle.
TopoDS_Shape& KernelShape(const ShapePtr& handle);

// True when the handle exists and holds a kernel shape. Several kernel calls
// crash outright on a null shape, so operations test this before any of them.
bool HoldsShape(const ShapePtr& handle);

// What a handle that holds no shape is, in a sentence naming it as `what`
// ("operand 2", "element 1 of the list"): "operand 2 is a null handle".
std::string Unheld(const ShapePtr& handle, const std::string& what);

// HoldsShape, recording NullShape with that sentence when the handle holds
// nothing.
bool HeldOperand(const ShapePtr& handle, const std::string& what);

// HeldOperand for each handle in turn, named by its place among them.
template <class... Handles> bool HeldOperands(const Handles&... handles)
{
    int position = 0;
    return (... && (++position, HoldsShape(handles) || HeldOperand(handles, "operand " + std::to_string(position))));
}

// The kind of the handle's shape; TopAbs_SHAPE, a kind no builder accepts,
// for a null handle or one holding no shape, whose kind the kernel would
// crash on.
TopAbs_ShapeEnum KindOf(const ShapePtr& handle);

} // namespace KorrCore
