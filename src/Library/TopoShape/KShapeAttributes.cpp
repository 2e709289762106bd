#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/TopoShape/KShapeAttributes.h>
#include <KorrGeomCore/TopoShape/KTopoShapeImpl.h>

#include <memory>

#include "Internal/Core/Frame.h"
#include "Internal/TopoShape/ShapeAttributes.h"
#include "Library/TopoShape/ShownColour.h"
#include "Library/TopoShape/SubShapePath.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoShape/KShapeAttributes";

// The reading functions fail only on a missing shape: a sub-shape without a
// name or colour, or one the root does not hold, has none to give.
bool Readable(const ShapePtr& root, const ShapePtr& subShape)
{
    SetOk();
    return HeldOperand(root, "root") && HeldOperand(subShape, "subShape");
}

// The sub-shape's entry in the root's table; null when it has none.
const SubShapeAttributes* EntryOf(const ShapePtr& root, const ShapePtr& subShape)
{
    if (!Readable(root, subShape))
        return nullptr;
    const auto& attributes = KTopoShapeImpl::GetAttributes(root.get());
    return attributes ? attributes->Find(ShapeAttributes::KeyUnder(KernelShape(root), KernelShape(subShape))) : nullptr;
}

// Changes the key's entry in a new table, so that shapes sharing the old one
// (copies of the implementation) keep theirs.
template <class Change> bool Edited(const ShapePtr& root, const TopoDS_Shape& key, Change change)
{
    const auto& current = KTopoShapeImpl::GetAttributes(root.get());
    auto edited = current ? std::make_shared<ShapeAttributes>(*current) : std::make_shared<ShapeAttributes>();
    const SubShapeAttributes* existing = edited->Find(key);
    SubShapeAttributes entry = existing ? *existing : SubShapeAttributes{};
    change(entry);
    edited->Set(key, std::move(entry));
    KTopoShapeImpl::SetAttributes(root.get(), std::move(edited));
    return true;
}

// Checks the handles and that the root holds the sub-shape, then edits.
template <class Change> bool Edit(const ShapePtr& root, const ShapePtr& subShape, Change change)
{
    return Framed([&] {
        if (!HeldReported(root, kReportSource, __LINE__, "root") ||
            !HeldReported(subShape, kReportSource, __LINE__, "subShape"))
            return false;
        const TopoDS_Shape key = ShapeAttributes::KeyUnder(KernelShape(root), KernelShape(subShape));
        const bool held = Guarded([&] { return !PathTo(KernelShape(root), key).empty(); });
        return KORR_CHECK_WHY(held, "Invalid Shape!", InvalidArgument, "root does not hold subShape") &&
               Edited(root, key, change);
    });
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
    if (!Readable(root, subShape))
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
