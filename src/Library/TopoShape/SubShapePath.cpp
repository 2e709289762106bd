#include "Library/TopoShape/SubShapePath.h"

#include <TopTools_MapOfShape.hxx>
#include <TopoDS_Iterator.hxx>

namespace KorrCore {

namespace {

// Only compounds hold shapes of their own kind; nothing holds a bigger kind.
bool MayHold(TopAbs_ShapeEnum container, TopAbs_ShapeEnum kind)
{
    return container == TopAbs_COMPOUND || container < kind;
}

// A shape already searched at the same place holds nothing new, whichever
// way it was reached: a vertex of a solid is then found by walking each edge
// once, not once per face.
bool Descend(const TopoDS_Shape& node, const TopoDS_Shape& key, TopTools_MapOfShape& searched,
             std::vector<TopoDS_Shape>& path)
{
    path.push_back(node);
    if (node.IsSame(key))
        return true;
    if (MayHold(node.ShapeType(), key.ShapeType()) && searched.Add(node))
        for (TopoDS_Iterator child(node); child.More(); child.Next())
            if (Descend(child.Value(), key, searched, path))
                return true;
    path.pop_back();
    return false;
}

} // namespace

std::vector<TopoDS_Shape> PathTo(const TopoDS_Shape& root, const TopoDS_Shape& key)
{
    std::vector<TopoDS_Shape> path;
    if (root.IsNull() || key.IsNull())
        return path;
    TopTools_MapOfShape searched;
    Descend(root.Located(TopLoc_Location()), key, searched, path);
    return path;
}

} // namespace KorrCore
