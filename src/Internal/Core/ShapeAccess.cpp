#include "Internal/Core/ShapeAccess.h"

#include "Internal/Platform/Outcome.h"

namespace KorrCore {

ShapePtr WrapShape(const TopoDS_Shape& kernelShape)
{
    ShapePtr wrapped = std::make_shared<KTopoShape>();
    KTopoShapeImpl::SetShape(wrapped.get(), kernelShape);
    return wrapped;
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
