#pragma once

#include <KorrGeomCore/TopoShape/KTopoShape.h>

#include <TopAbs_ShapeEnum.hxx>
#include <TopExp_Explorer.hxx>

#include "Internal/Core/Frame.h"

namespace KorrCore {

// The frame shared by the list explorers: checks the handle (reporting with the
// calling explorer's source and line), refuses shapes of a kind that cannot
// contain `wanted`, appends the caller's own handle when the shape is of that
// kind, and otherwise lets `collect` append the sub-shapes. The list is only
// ever appended to.
template <class Collect>
bool ListSubShapes(const ShapePtr& shape, ShapeList& result, TopAbs_ShapeEnum wanted, const char* reportSource,
                   int reportLine, Collect&& collect)
{
    if (!HeldReported(shape, reportSource, reportLine))
        return false;
    const TopAbs_ShapeEnum kind = KernelShape(shape).ShapeType();
    if (kind > wanted)
        return false;
    if (kind == wanted)
        result.push_back(shape);
    else
        collect(KernelShape(shape), result);
    return true;
}

// Appends every occurrence of `wanted` in the kernel's depth-first traversal.
inline void AppendOccurrences(const TopoDS_Shape& shape, TopAbs_ShapeEnum wanted, ShapeList& result)
{
    for (TopExp_Explorer explorer(shape, wanted, TopAbs_SHAPE); explorer.More(); explorer.Next())
        result.push_back(WrapShape(explorer.Current()));
}

} // namespace KorrCore
