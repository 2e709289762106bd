#include "Library/TopoExplor/ShapeInstances.h"

#include <TopoDS_Iterator.hxx>

#include <map>
#include <utility>

namespace KorrCore {

namespace {

class InstanceFinder {
public:
    ShapeInstances found;

    // The iterator hands out children with their parent's location and
    // orientation composed in, so every part arrives with its full placement.
    void Visit(const TopoDS_Shape& shape)
    {
        if (shape.ShapeType() == TopAbs_COMPOUND) {
            for (TopoDS_Iterator child(shape); child.More(); child.Next())
                Visit(child.Value());
            return;
        }
        // An orientation flips every face of the part, so a reversed copy
        // does not share the mesh of a forward one.
        const auto [entry, added] =
            partIndex.try_emplace({shape.TShape().get(), shape.Orientation()}, found.parts.size());
        if (added)
            found.parts.push_back(shape.Located(TopLoc_Location()));
        found.occurrences.push_back({entry->second, shape.Location()});
    }

private:
    std::map<std::pair<const void*, TopAbs_Orientation>, std::size_t> partIndex;
};

} // namespace

ShapeInstances FindInstances(const TopoDS_Shape& shape)
{
    InstanceFinder finder;
    finder.Visit(shape);
    return std::move(finder.found);
}

} // namespace KorrCore
