#include <KorrGeomCore/TopoExplor/KTopoEdgeExplor.h>

#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>

#include "Core/DisplayBounds.h"
#include "Core/MeshPreconditions.h"
#include "TopoExplor/DisplayBuffers.h"
#include "TopoExplor/EdgeCurveSampler.h"
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

bool KTopoEdgeExplor::Explor(const ShapePtr& edge, std::vector<float>* points, double deflection)
{
    // The kernel's edge cast lets a null shape through to the converter.
    if (!HoldsShape(edge))
        return false;
    const TopoDS_Edge& kernelEdge = TopoDS::Edge(KernelShape(edge));
    if (!points || !MeetableDeflection(deflection, kernelEdge) || !EdgeAgreesWithItsCurves(kernelEdge))
        return false;

    EdgeCurveSampler sampler;
    if (!sampler.Sample(kernelEdge, deflection))
        return false;
    const DisplayBounds bounds(kernelEdge, deflection);
    std::vector<float> sampled(3 * static_cast<std::size_t>(sampler.Count()));
    for (Standard_Integer i = 1; i <= sampler.Count(); ++i) {
        const gp_XYZ point = sampler.Point(i).XYZ();
        if (!bounds.Holds(point))
            return false;
        StoreXYZ(&sampled[3 * static_cast<std::size_t>(i - 1)], point);
    }
    points->swap(sampled);
    return true;
}

} // namespace KorrCore
