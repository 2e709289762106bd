#pragma once

#include <KorrGeomCore/TopoShape/KTopoShape.h>
#include <KorrGeomCore/TopoShape/KTopoShapeImpl.h>

namespace KorrCore {

// A new handle, shared with nobody, holding a copy of the kernel shape (the same
// shape data, location and orientation). Every shape the library returns is
// made here.
ShapePtr WrapShape(const TopoDS_Shape& kernelShape);

// The kernel shape held by a non-null handle.
inline TopoDS_Shape& KernelShape(const ShapePtr& handle) { return KTopoShapeImpl::GetShape(handle.get()); }

// True when the handle exists and holds a kernel shape. Several kernel calls
// crash outright on a null shape, so operations test this before any of them.
inline bool HoldsShape(const ShapePtr& handle) { return handle && !handle->IsNull(); }

// The kind of the handle's shape; TopAbs_SHAPE, a kind no builder accepts,
// for a null handle or one holding no shape, whose kind the kernel would
// crash on.
inline TopAbs_ShapeEnum KindOf(const ShapePtr& handle)
{
    return HoldsShape(handle) ? KernelShape(handle).ShapeType() : TopAbs_SHAPE;
}

} // namespace KorrCore
