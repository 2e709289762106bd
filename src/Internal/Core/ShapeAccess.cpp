#include "Internal/Core/ShapeAccess.h"

#include <KorrGeomCore/TopoShape/KTopoShape.h>
#include <KorrGeomCore/TopoShape/KTopoShapeImpl.h>

#include "Internal/Platform/Outcome.h"

namespace KorrCore {

ShapePtr WrapShape(const TopoDS_Shape& kernelShape)
{
    ShapePtr wrapped = std::make_shared<KTopoShape>();
    KTopoShapeImpl::SetShape(wrapped.get(), kernelShape);
    return wrapped;
}

TopoDS_Shape& KernelShape(const ShapePtr& handle)
{
    return KTopoShapeImpl::GetShape(handle.get());
}

bool HoldsShape(const ShapePtr& handle)
{
    return handle && !handle->IsNull();
}

TopAbs_ShapeEnum KindOf(const ShapePtr& handle)
{
    return HoldsShape(handle) ? KernelShape(handle).ShapeType() : TopAbs_SHAPE;
}

std::string Unheld(const ShapePtr& handle, const std::string& what)
{
    return what + (handle ? " is a handle holding no shape" : " is a null handle");
}

bool HeldOperand(const ShapePtr& handle, const std::string& what)
{
    return HoldsShape(handle) || Fails(KOutcomeCode::NullShape, Unheld(handle, what));
}

} // namespace KorrCore
