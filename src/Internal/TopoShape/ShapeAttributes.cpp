#include "Internal/TopoShape/ShapeAttributes.h"

#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopTools_ShapeMapHasher.hxx>

#include <climits>

namespace KorrCore {

std::size_t ShapeAttributes::KeyHash::operator()(const TopoDS_Shape& shape) const
{
    return static_cast<std::size_t>(TopTools_ShapeMapHasher::HashCode(shape, INT_MAX));
}

ShapeAttributes::ShapeAttributes(std::shared_ptr<const ShapeAttributes> outer, const TopLoc_Location& placement)
    : outer(std::move(outer)), placement(placement)
{
}

TopoDS_Shape ShapeAttributes::KeyUnder(const TopoDS_Shape& root, const TopoDS_Shape& subShape)
{
    // Exploring composes the root's location in front of each sub-shape's
    // own; dividing it off again cancels it item by item, leaving the key.
    return subShape.Located(subShape.Location().Predivided(root.Location()), false);
}

void ShapeAttributes::Set(const TopoDS_Shape& key, SubShapeAttributes attributes)
{
    entries.insert_or_assign(key, std::move(attributes));
}

const SubShapeAttributes* ShapeAttributes::Find(const TopoDS_Shape& key) const
{
    const auto found = entries.find(key);
    if (found != entries.end())
        return &found->second;
    return outer ? outer->Find(key.Moved(placement, false)) : nullptr;
}

ShapeAttributes ShapeAttributes::Resolved(const TopoDS_Shape& root) const
{
    if (!outer)
        return *this;
    ShapeAttributes resolved;
    TopTools_IndexedMapOfShape subShapes;
    TopExp::MapShapes(root.Located(TopLoc_Location()), subShapes);
    for (int i = 1; i <= subShapes.Extent(); ++i)
        if (const SubShapeAttributes* entry = Find(subShapes(i)))
            resolved.Set(subShapes(i), *entry);
    return resolved;
}

} // namespace KorrCore
