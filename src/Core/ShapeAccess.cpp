#include "Core/ShapeAccess.h"

namespace KorrCore {

ShapePtr WrapShape(const TopoDS_Shape& kernelShape)
{
    ShapePtr wrapped = std::make_shared<KTopoShape>();
    KTopoShapeImpl::SetShape(wrapped.get(), kernelShape);
    return wrapped;
}

} // namespace KorrCore
