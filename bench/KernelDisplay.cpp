#include "KernelDisplay.h"

#include <BRepBuilderAPI_NurbsConvert.hxx>
#include <BRep_Tool.hxx>
#include <GCPnts_QuasiUniformDeflection.hxx>
#include <GeomAdaptor_Curve.hxx>
#include <GeomLib.hxx>
#include <Geom_TrimmedCurve.hxx>
#include <Precision.hxx>
#include <TopoDS.hxx>
#include <gp.hxx>

namespace KorrBench {

void Store(float* out, const gp_XYZ& xyz)
{
    out[0] = static_cast<float>(xyz.X());
    out[1] = static_cast<float>(xyz.Y());
    out[2] = static_cast<float>(xyz.Z());
}

gp_Dir ShadingNormal(const Handle(Geom_Surface) & surface, const Handle(Poly_Triangulation) & triangulation,
                     Poly_Connect& adjacency, Standard_Integer node)
{
    gp_Dir normal;
    if (GeomLib::NormEstim(surface, triangulation->UVNode(node), Precision::Confusion(), normal) <= 1)
        return normal;
    if (adjacency.Triangulation() != triangulation)
        adjacency.Load(triangulation);
    gp_XYZ sum(0, 0, 0);
    for (adjacency.Initialize(node); adjacency.More(); adjacency.Next()) {
        Standard_Integer a, b, c;
        triangulation->Triangle(adjacency.Value()).Get(a, b, c);
        const gp_XYZ cross = (triangulation->Node(b).XYZ() - triangulation->Node(a).XYZ()) ^
                             (triangulation->Node(c).XYZ() - triangulation->Node(b).XYZ());
        if (cross.Modulus() >= Precision::Confusion())
            sum += cross / cross.Modulus();
    }
    return sum.Modulus() > Precision::Confusion() ? gp_Dir(sum) : gp::DZ();
}

void StoreShadedNode(const Handle(Geom_Surface) & surface, const Handle(Poly_Triangulation) & triangulation,
                     Poly_Connect& adjacency, Standard_Integer node, bool reversed, const TopLoc_Location& location,
                     float* position, float* normal)
{
    gp_Pnt point = triangulation->Node(node);
    gp_Dir direction = ShadingNormal(surface, triangulation, adjacency, node);
    if (reversed)
        direction.Reverse();
    if (!location.IsIdentity()) {
        const gp_Trsf& place = location.Transformation();
        point.Transform(place);
        direction.Transform(place);
    }
    Store(position, point.XYZ());
    Store(normal, direction.XYZ());
}

bool SampleWithKernel(const TopoDS_Edge& edge, double deflection, std::vector<float>& points)
{
    BRepBuilderAPI_NurbsConvert converter(edge, Standard_True);
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
    const bool located = !location.IsIdentity();
    const gp_Trsf place = location.Transformation();
    points.resize(3 * static_cast<std::size_t>(sampler.NbPoints()));
    for (Standard_Integer i = 1; i <= sampler.NbPoints(); ++i) {
        gp_Pnt point = curve->Value(sampler.Parameter(i));
        if (located)
            point.Transform(place);
        Store(&points[3 * static_cast<std::size_t>(i - 1)], point.XYZ());
    }
    return true;
}

} // namespace KorrBench
