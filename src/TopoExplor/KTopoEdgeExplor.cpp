#include <KorrGeomCore/TopoExplor/KTopoEdgeExplor.h>

#include <BRepBuilderAPI_NurbsConvert.hxx>
#include <BRep_Tool.hxx>
#include <GCPnts_QuasiUniformDeflection.hxx>
#include <GeomAdaptor_Curve.hxx>
#include <Geom_TrimmedCurve.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>

#include "TopoExplor/DeflectionRange.h"
#include "TopoExplor/DisplayBuffers.h"
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
    if (!points || !MeetableDeflection(deflection, kernelEdge))
        return false;

    // The conversion works on a copy: the host's edge stays as it is.
    BRepBuilderAPI_NurbsConvert converter(kernelEdge, Standard_True);
    const TopoDS_Edge& converted = TopoDS::Edge(converter.Shape());
    TopLoc_Location location;
    Standard_Real first, last;
    const Handle(Geom_Curve) curve = BRep_Tool::Curve(converted, location, first, last);
    if (curve.IsNull())
        return false;

    const Handle(Geom_TrimmedCurve) trimmed = new Geom_TrimmedCurve(curve, first, last, Standard_True);
    const GeomAdaptor_Curve adaptor(trimmed, trimmed->FirstParameter(), trimmed->LastParameter());
    const GCPnts_QuasiUniformDeflection sampler(adaptor, deflection, GeomAbs_C1);
    if (!sampler.IsDone())
        return false;

    const Placement place(location);
    const Standard_Integer count = sampler.NbPoints();
    points->resize(3 * static_cast<std::size_t>(count));
    for (Standard_Integer i = 1; i <= count; ++i)
        StoreXYZ(&(*points)[3 * static_cast<std::size_t>(i - 1)], place(curve->Value(sampler.Parameter(i))).XYZ());
    return true;
}

} // namespace KorrCore
