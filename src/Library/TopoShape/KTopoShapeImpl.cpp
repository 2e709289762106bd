#include <KorrGeomCore/TopoShape/KTopoShape.h>
#include <KorrGeomCore/TopoShape/KTopoShapeImpl.h>

#include <atomic>

#include "Library/Core/Validity.h"

namespace KorrCore {

KTopoShapeImpl::KTopoShapeImpl(const TopoDS_Shape& kernelShape) : shape(kernelShape) {}

void KTopoShapeImpl::SetShape(const TopoDS_Shape& kernelShape)
{
    if (!kernelShape.IsPartner(shape)) {
        attributes.reset();
        enclosure.reset();
        std::atomic_store(&validity, std::shared_ptr<const ValidityVerdict>());
    }
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

const std::shared_ptr<const ShapeAttributes>& KTopoShapeImpl::GetAttributes(const KTopoShape* handle)
{
    return handle->impl->GetAttributes();
}

void KTopoShapeImpl::SetAttributes(KTopoShape* handle, std::shared_ptr<const ShapeAttributes> value)
{
    handle->impl->SetAttributes(std::move(value));
}

std::shared_ptr<const ValidityVerdict> KTopoShapeImpl::GetValidity(const KTopoShape* handle)
{
    return std::atomic_load(&handle->impl->validity);
}

void KTopoShapeImpl::SetValidity(const KTopoShape* handle, std::shared_ptr<const ValidityVerdict> verdict)
{
    std::atomic_store(&handle->impl->validity, std::move(verdict));
}

std::shared_ptr<const Bnd_Box> KTopoShapeImpl::GetEnclosure(const KTopoShape* handle)
{
    return handle->impl->enclosure;
}

void KTopoShapeImpl::SetEnclosure(KTopoShape* handle, std::shared_ptr<const Bnd_Box> box)
{
    handle->impl->enclosure = std::move(box);
}

void KTopoShapeImpl::ShapeDataChanged()
{
    KernelDataChanged();
}

} // namespace KorrCore
