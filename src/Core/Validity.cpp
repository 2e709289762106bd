#include "Core/Validity.h"

#include <BRepCheck_Analyzer.hxx>
#include <TopLoc_Location.hxx>

#include <atomic>
#include <cmath>
#include <memory>

#include "Core/ShapeAccess.h"

namespace KorrCore {

namespace {

std::atomic<unsigned long> inPlaceChanges{0};

// Placed without scaling or mirroring, where the check measures what it
// measured unplaced.
bool RigidlyPlaced(const TopoDS_Shape& shape)
{
    if (shape.Location().IsIdentity())
        return true;
    const gp_Trsf& placement = shape.Location().Transformation();
    return !placement.IsNegative() && std::abs(placement.ScaleFactor() - 1.0) <= TopLoc_Location::ScalePrec();
}

bool Applies(const ValidityVerdict& verdict, const TopoDS_Shape& shape)
{
    return verdict.data == shape.TShape() && verdict.orientation == shape.Orientation() &&
           verdict.changes == inPlaceChanges.load() && RigidlyPlaced(shape);
}

// `changes` is read before the check runs, so that a change made while it
// runs leaves a verdict that no longer applies.
void Record(const ShapePtr& handle, const TopoDS_Shape& shape, unsigned long changes, bool valid)
{
    if (RigidlyPlaced(shape))
        KTopoShapeImpl::SetValidity(handle.get(), std::make_shared<const ValidityVerdict>(ValidityVerdict{
                                                      shape.TShape(), shape.Orientation(), changes, valid}));
}

} // namespace

bool KernelValid(const TopoDS_Shape& shape)
{
    return BRepCheck_Analyzer(shape).IsValid();
}

bool KernelValid(const ShapePtr& handle)
{
    const TopoDS_Shape& shape = KernelShape(handle);
    const std::shared_ptr<const ValidityVerdict> verdict = KTopoShapeImpl::GetValidity(handle.get());
    if (verdict && Applies(*verdict, shape))
        return verdict->valid;
    const unsigned long changes = inPlaceChanges.load();
    const bool valid = KernelValid(shape);
    Record(handle, shape, changes, valid);
    return valid;
}

void PassedKernelCheck(const ShapePtr& handle)
{
    Record(handle, KernelShape(handle), inPlaceChanges.load(), true);
}

void KernelDataChanged()
{
    ++inPlaceChanges;
}

} // namespace KorrCore
