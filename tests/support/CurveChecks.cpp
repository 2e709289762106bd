#include "support/CurveChecks.h"

#include <BRep_Tool.hxx>
#include <Geom_TrimmedCurve.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>

#include "support/ShapeChecks.h"

namespace KorrTest {

std::vector<TopoDS_Edge> Edges(const KorrCore::ShapePtr& shape)
{
    std::vector<TopoDS_Edge> edges;
    for (TopExp_Explorer explorer(Kernel(shape), TopAbs_EDGE); explorer.More(); explorer.Next())
        edges.push_back(TopoDS::Edge(explorer.Current()));
    return edges;
}

EdgeCurve CurveOf(const TopoDS_Edge& edge)
{
    EdgeCurve result;
    result.curve = BRep_Tool::Curve(edge, result.first, result.last);
    return result;
}

Handle(Geom_Circle) CircleOf(const TopoDS_Edge& edge)
{
    Handle(Geom_Curve) curve = CurveOf(edge).curve;
    while (const auto trimmed = Handle(Geom_TrimmedCurve)::DownCast(curve))
        curve = trimmed->BasisCurve();
    return Handle(Geom_Circle)::DownCast(curve);
}

gp_Pnt ToPoint(const KMath::Vector3& v) { return gp_Pnt(v.x, v.y, v.z); }

::testing::AssertionResult PointNear(const gp_Pnt& actual, const gp_Pnt& expected, double tol)
{
    if (actual.Distance(expected) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "point (" << actual.X() << ", " << actual.Y() << ", " << actual.Z()
                                         << ") is " << actual.Distance(expected) << " from (" << expected.X() << ", "
                                         << expected.Y() << ", " << expected.Z() << ")";
}

} // namespace KorrTest
