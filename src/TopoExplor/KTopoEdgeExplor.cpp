#include <KorrGeomCore/TopoExplor/KTopoEdgeExplor.h>

#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>

#include "TopoExplor/SubShapeList.h"

namespace KorrCore {

namespace {
constexpr char kReportSource[] = "TopoExplor/KTopoEdgeExplor";
} // namespace

bool KTopoEdgeExplor::Explor(const ShapePtr& shape, ShapeList& edges)
{
    return ListSubShapes(shape, edges, TopAbs_EDGE, kReportSource, __LINE__,
                         [](const TopoDS_Shape& kernel, ShapeList& out) {
                             // The indexed map keeps each edge once, whatever its orientation, in
                             // order of first occurrence.
                             TopTools_IndexedMapOfShape distinctEdges(1);
                             TopExp::MapShapes(kernel, TopAbs_EDGE, distinctEdges);
                             for (int i = 1; i <= distinctEdges.Extent(); ++i)
                                 out.push_back(WrapShape(distinctEdges.FindKey(i)));
                         });
}

} // namespace KorrCore
