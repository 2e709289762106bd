#include "Library/TopoExplor/UseAttributes.h"

#include <TopExp_Explorer.hxx>

namespace KorrCore {

namespace {

class UseLookup {
public:
    UseLookup(const TopoDS_Shape& root, const ShapeAttributes& attributes, const TopLoc_Location& location)
        : root(root), attributes(attributes), location(location)
    {
    }

    // The entry of a sub-shape of the part, found by its place in the root.
    const SubShapeAttributes* Find(const TopoDS_Shape& subShape) const
    {
        return attributes.Find(ShapeAttributes::KeyUnder(root, subShape.Moved(location, Standard_False)));
    }

    std::optional<KColor> Colour(const TopoDS_Shape& subShape) const
    {
        const SubShapeAttributes* entry = Find(subShape);
        return entry ? entry->colour : std::nullopt;
    }

private:
    const TopoDS_Shape& root;
    const ShapeAttributes& attributes;
    const TopLoc_Location& location;
};

// Gives the faces of `container` that have no colour yet the container's own.
void Inherit(const UseLookup& lookup, const TopoDS_Shape& container, const TopTools_IndexedMapOfShape& faces,
             std::vector<std::optional<KColor>>& colours)
{
    const std::optional<KColor> colour = lookup.Colour(container);
    if (!colour)
        return;
    for (TopExp_Explorer face(container, TopAbs_FACE); face.More(); face.Next()) {
        std::optional<KColor>& slot = colours[static_cast<std::size_t>(faces.FindIndex(face.Current()) - 1)];
        if (!slot)
            slot = colour;
    }
}

} // namespace

UseAttributes FindUseAttributes(const TopoDS_Shape& root, const ShapeAttributes* attributes, const TopoDS_Shape& part,
                                const TopLoc_Location& location, const TopTools_IndexedMapOfShape& faces)
{
    UseAttributes use;
    use.faceColours.resize(static_cast<std::size_t>(faces.Extent()));
    if (!attributes || attributes->Empty())
        return use;
    const UseLookup lookup(root, *attributes, location);
    for (int f = 1; f <= faces.Extent(); ++f)
        use.faceColours[static_cast<std::size_t>(f - 1)] = lookup.Colour(faces(f));
    // The containers from the nearest out; the part itself, whose entry is
    // its use's, comes last.
    for (const TopAbs_ShapeEnum kind : {TopAbs_SHELL, TopAbs_SOLID, TopAbs_COMPSOLID})
        for (TopExp_Explorer container(part, kind); container.More(); container.Next())
            if (!container.Current().IsSame(part))
                Inherit(lookup, container.Current(), faces, use.faceColours);
    Inherit(lookup, part, faces, use.faceColours);
    if (const SubShapeAttributes* entry = lookup.Find(part)) {
        use.name = entry->name;
        use.product = entry->product;
    }
    return use;
}

} // namespace KorrCore
