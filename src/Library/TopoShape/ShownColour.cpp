#include "Library/TopoShape/ShownColour.h"

#include "Library/TopoShape/SubShapePath.h"

namespace KorrCore {

std::optional<KColor> ShownColour(const ShapeAttributes& attributes, const TopoDS_Shape& root, const TopoDS_Shape& key)
{
    const std::vector<TopoDS_Shape> path = PathTo(root, key);
    for (auto shape = path.rbegin(); shape != path.rend(); ++shape)
        if (const SubShapeAttributes* entry = attributes.Find(*shape); entry && entry->colour)
            return entry->colour;
    return std::nullopt;
}

} // namespace KorrCore
