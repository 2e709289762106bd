#include "TopoShape/ShapeAttributes.h"

#include <TopTools_ShapeMapHasher.hxx>

#include <climits>

namespace KorrCore {

std::size_t ShapeAttributes::KeyHash::operator()(const TopoDS_Shape& shape) const
{
    return static_cast<std::size_t>(TopTools_ShapeMapHasher::HashCode(shape, INT_MAX));
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
    return found == entries.end() ? nullptr : &found->second;
}

} // namespace KorrCore
