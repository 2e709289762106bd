#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/TopoExplor/KAssemblyExplor.h>
#include <KorrGeomCore/TopoShape/KTopoShapeImpl.h>

#include <TopoDS_Iterator.hxx>

#include <memory>

#include "Internal/Core/Frame.h"
#include "Internal/Core/MatrixTransform.h"
#include "Internal/TopoShape/ShapeAttributes.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoExplor/KAssemblyExplor";

// A compound is an assembly when it places parts or assemblies; a part that
// is a compound of bodies places none.
bool HoldsUses(const TopoDS_Shape& shape, const ShapeAttributes* attributes)
{
    if (!attributes || shape.ShapeType() != TopAbs_COMPOUND)
        return false;
    for (TopoDS_Iterator child(shape, /*cumOri=*/false, /*cumLoc=*/false); child.More(); child.Next())
        if (const SubShapeAttributes* entry = attributes->Find(child.Value()); entry && entry->IsUse())
            return true;
    return false;
}

// `child` as its parent holds it, with its own location and orientation:
// exactly its key in the parent's table.
KAssemblyChild ChildOf(const TopoDS_Shape& child, const std::shared_ptr<const ShapeAttributes>& attributes)
{
    KAssemblyChild described;
    const TopoDS_Shape own = child.Located(TopLoc_Location(), false);
    described.Shape = WrapShape(own);
    described.Placement = LocationMatrix(child.Location());
    described.Kind = static_cast<TopoShapeType>(child.ShapeType());
    if (!attributes)
        return described;
    auto childAttributes = std::make_shared<const ShapeAttributes>(attributes, child.Location());
    described.IsAssembly = HoldsUses(own, childAttributes.get());
    KTopoShapeImpl::SetAttributes(described.Shape.get(), std::move(childAttributes));
    if (const SubShapeAttributes* entry = attributes->Find(child)) {
        described.Name = KStringUtil::a2w(entry->name);
        described.Product = KStringUtil::a2w(entry->product);
        described.Colour = entry->colour;
    }
    return described;
}

} // namespace

bool KAssemblyExplor::Explor(const ShapePtr& shape, std::vector<KAssemblyChild>& children)
{
    return Explored([&] {
        if (!HeldReported(shape, kReportSource, __LINE__))
            return false;
        const std::shared_ptr<const ShapeAttributes>& attributes = KTopoShapeImpl::GetAttributes(shape.get());
        std::vector<KAssemblyChild> found;
        for (TopoDS_Iterator child(KernelShape(shape), /*cumOri=*/false, /*cumLoc=*/false); child.More(); child.Next())
            found.push_back(ChildOf(child.Value(), attributes));
        children.insert(children.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
        return true;
    });
}

bool KAssemblyExplor::IsAssembly(const ShapePtr& shape)
{
    SetOk();
    return HeldOperand(shape, "shape") &&
           HoldsUses(KernelShape(shape), KTopoShapeImpl::GetAttributes(shape.get()).get());
}

std::uintptr_t KAssemblyExplor::PartId(const ShapePtr& shape)
{
    SetOk();
    return HeldOperand(shape, "shape") ? reinterpret_cast<std::uintptr_t>(KernelShape(shape).TShape().get()) : 0;
}

bool KAssemblyExplor::IsSamePart(const ShapePtr& first, const ShapePtr& second)
{
    SetOk();
    return HeldOperands(first, second) && KernelShape(first).IsPartner(KernelShape(second));
}

} // namespace KorrCore
