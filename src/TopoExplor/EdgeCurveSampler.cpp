#include "TopoExplor/EdgeCurveSampler.h"

#include <BRepBuilderAPI_NurbsConvert.hxx>
#include <BRep_Tool.hxx>
#include <GeomAdaptor_Curve.hxx>
#include <Geom_TrimmedCurve.hxx>
#include <TopoDS.hxx>

namespace KorrCore {

bool EdgeCurveSampler::Sample(const TopoDS_Edge& edge, double deflection)
{
    BRepBuilderAPI_NurbsConvert converter(edge, Standard_True);
    const TopoDS_Edge& converted = TopoDS::Edge(converter.Shape());
    TopLoc_Location location;
    Standard_Real first, last;
    curve = BRep_Tool::Curve(converted, location, first, last);
    if (curve.IsNull())
        return false;

    const Handle(Geom_TrimmedCurve) trimmed = new Geom_TrimmedCurve(curve, first, last, Standard_True);
    const GeomAdaptor_Curve adaptor(trimmed, trimmed->FirstParameter(), trimmed->LastParameter());
    sampler.Initialize(adaptor, deflection, GeomAbs_C1);
    place = Placement(location);
    return sampler.IsDone();
}

} // namespace KorrCore
