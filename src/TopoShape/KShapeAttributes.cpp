#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/TopoShape/KShapeAttributes.h>

#include <memory>

#include "Core/Frame.h"
#include "TopoShape/ShapeAttributes.h"
#include "TopoShape/ShownColour.h"
#include "TopoShape/SubShapePath.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoShape/KShapeAttributes";

// The sub-shape's entry in the root's table; null when it has none.
const SubShapeAttributes* EntryOf(const ShapePtr& root, const ShapePtr& subShape)
{
    if (!HoldsShape(root) || !HoldsShape(subShape))
        return nullptr;
    const auto& attributes = KTopoShapeImpl::GetAttributes(root.get());
    return attributes ? attributes->Find(ShapeAttributes::KeyUnder(KernelShape(root), KernelShape(subShape))) : nullptr;
}

// Changes the sub-shape's entry in a new table, so that shapes sharing the
// old one (copies of the implementation) keep theirs.
template <class Change> bool Edit(const ShapePtr& root, const ShapePtr& subShape, Change change)
{
    if (!HeldReported(root, kReportSource, __LINE__) || !HeldReported(subShape, kReportSource, __LINE__))
        return false;
    const TopoDS_Shape key = ShapeAttributes::KeyUnder(KernelShape(root), KernelShape(subShape));
    const bool held = Guarded([&] { return !PathTo(KernelShape(root), key).empty(); });
    if (!KORR_CHECK(held, "Invalid Shape!"))
        return false;
    const auto& current = KTopoShapeImpl::GetAttributes(root.get());
    auto edited = current ? std::make_shared<ShapeAttributes>(*current) : std::make_shared<ShapeAttributes>();
    const SubShapeAttributes* existing = edited->Find(key);
    SubShapeAttributes entry = existing ? *existing : SubShapeAttributes{};
    change(entry);
    edited->Set(key, std::move(entry));
    KTopoShapeImpl::SetAttributes(root.get(), std::move(edited));
    return true;
}

} // namespace

std::wstring KShapeAttributes::GetName(const ShapePtr& root, const ShapePtr& subShape)
{
    const SubShapeAttributes* entry = EntryOf(root, subShape);
    return entry ? KStringUtil::a2w(entry->name) : std::wstring();
}

std::wstring KShapeAttributes::GetProductName(const ShapePtr& root, const ShapePtr& subShape)
{
    const SubShapeAttributes* entry = EntryOf(root, subShape);
    return entry ? KStringUtil::a2w(entry->product) : std::wstring();
}

bool KShapeAttributes::GetColor(const ShapePtr& root, const ShapePtr& subShape, KColor& color)
{
    if (!HoldsShape(root) || !HoldsShape(subShape))
        return false;
    const auto& attributes = KTopoShapeImpl::GetAttributes(root.get());
    if (!attributes)
        return false;
    const TopoDS_Shape& rootShape = KernelShape(root);
    const std::optional<KColor> shown = Guarded([&] {
        return ShownColour(*attributes, rootShape, ShapeAttributes::KeyUnder(rootShape, KernelShape(subShape)));
    });
    if (shown)
        color = *shown;
    return shown.has_value();
}

bool KShapeAttributes::SetName(const ShapePtr& root, const ShapePtr& subShape, const std::wstring& name)
{
    return Edit(root, subShape, [&](SubShapeAttributes& entry) { entry.name = KStringUtil::w2a(name); });
}

bool KShapeAttributes::SetProductName(const ShapePtr& root, const ShapePtr& subShape, const std::wstring& name)
{
    return Edit(root, subShape, [&](SubShapeAttributes& entry) { entry.product = KStringUtil::w2a(name); });
}

bool KShapeAttributes::SetColor(const ShapePtr& root, const ShapePtr& subShape, const KColor& color)
{
    return Edit(root, subShape, [&](SubShapeAttributes& entry) { entry.colour = color; });
}

} // namespace KorrCore
