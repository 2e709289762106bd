#include "Library/TopoExplor/EdgeCurveSampler.h"

#include <BRepBuilderAPI_NurbsConvert.hxx>
#include <BRep_Tool.hxx>
#include <GeomAdaptor_Curve.hxx>
#include <Geom_TrimmedCurve.hxx>
#include <Precision.hxx>
#include <TopoDS.hxx>

namespace KorrCore {

bool EdgeCurveSampler::Sample(const TopoDS_Edge& edge, double deflection)
{
    // An edge along a whole line has no end to sample to, one of no range no
    // extent to sample.
    Standard_Real first, last;
    BRep_Tool::Range(edge, first, last);
    if (Precision::IsInfinite(first) || Precision::IsInfinite(last) || !(first < last))
        return false;
    BRepBuilderAPI_NurbsConvert converter(edge, Standard_True);
    const TopoDS_Edge& converted = TopoDS::Edge(converter.Shape());
    TopLoc_Location location;
    curve = BRep_Tool::Curve(converted, location, first, last);
    // A damaged edge can come out of the conversion with a range of one point,
    // or one beyond the ends of a curve that does not repeat: no curve can be
    // trimmed to either.
    if (curve.IsNull() || !(first < last) ||
        (!curve->IsPeriodic() && (curve->FirstParameter() - first > Precision::PConfusion() ||
                                  last - curve->LastParameter() > Precision::PConfusion())))
        return false;

    const Handle(Geom_TrimmedCurve) trimmed = new Geom_TrimmedCurve(curve, first, last, Standard_True);
    const GeomAdaptor_Curve adaptor(trimmed, trimmed->FirstParameter(), trimmed->LastParameter());
    sampler.Initialize(adaptor, deflection, GeomAbs_C1);
    place = Placement(location);
    return sampler.IsDone();
}

} // namespace KorrCore
