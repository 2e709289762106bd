#include <KorrGeomCore/TopoShape/KTopoShape.h>
#include <KorrGeomCore/TopoShape/KTopoShapeImpl.h>

namespace KorrCore {

KTopoShapeImpl::KTopoShapeImpl(const TopoDS_Shape& kernelShape) : shape(kernelShape) {}

void KTopoShapeImpl::SetShape(const TopoDS_Shape& kernelShape)
{
    shape.TShape(kernelShape.TShape());
    // The kernel's own checked setter raises for a mirroring or scaling
    // location, which shapes it made itself can carry: holding a shape is
    // no place to refuse it.
    shape.Location(kernelShape.Location(), Standard_False);
    shape.Orientation(kernelShape.Orientation());
}

void KTopoShapeImpl::SetShape(KTopoShape* handle, const TopoDS_Shape& kernelShape)
{
    handle->impl->SetShape(kernelShape);
}

TopoDS_Shape& KTopoShapeImpl::GetShape(KTopoShape* handle)
{
    return handle->impl->GetShape();
}

} // namespace KorrCore
