#include "Library/Core/Validity.h"

#include <KorrGeomCore/TopoShape/KTopoShapeImpl.h>

#include <BRepCheck.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepCheck_Result.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopLoc_Location.hxx>

#include <atomic>
#include <cmath>
#include <memory>
#include <sstream>

#include "Internal/Core/Reasons.h"
#include "Internal/Core/ShapeAccess.h"
#include "Internal/Platform/Outcome.h"

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

bool KernelValidOperand(const ShapePtr& handle, const std::string& what)
{
    if (KernelValid(handle))
        return true;
    return Fails(KOutcomeCode::InvalidArgument, what + " fails the kernel's validity check",
                 FirstFault(KernelShape(handle)));
}

std::string FirstFault(const TopoDS_Shape& shape)
{
    const BRepCheck_Analyzer analyzer(shape);
    TopTools_IndexedMapOfShape parts;
    TopExp::MapShapes(shape, parts);
    for (int i = 1; i <= parts.Extent(); ++i) {
        const Handle(BRepCheck_Result) result = analyzer.Result(parts(i));
        if (result.IsNull())
            continue;
        for (const BRepCheck_Status status : result->Status()) {
            if (status == BRepCheck_NoError)
                continue;
            std::ostringstream named;
            BRepCheck::Print(status, named);
            std::string text = named.str();
            text.erase(text.find_last_not_of(" \n") + 1);
            return text + " on " + KindName(parts(i).ShapeType());
        }
    }
    return {};
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
