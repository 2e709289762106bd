#include "support/TestProfiles.h"

#include "support/ShapeChecks.h"

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRep_Builder.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Wire.hxx>
#include <gp_Ax2.hxx>
#include <gp.hxx>
#include <gp_Ax3.hxx>
#include <gp_Circ.hxx>
#include <gp_Cylinder.hxx>

namespace KorrTest {

namespace {

gp_Pnt Pnt(const KMath::Vector3& v) { return gp_Pnt(v.x, v.y, v.z); }

TopoDS_Wire KernelPolygon(const std::vector<KMath::Vector3>& points, bool closed)
{
    BRepBuilderAPI_MakePolygon polygon;
    for (const KMath::Vector3& point : points)
        polygon.Add(Pnt(point));
    if (closed)
        polygon.Close();
    return polygon.Wire();
}

TopoDS_Edge KernelCircle(const KMath::Vector3& centre, double radius, const KMath::Vector3& normal)
{
    const gp_Circ circle(gp_Ax2(Pnt(centre), gp_Dir(normal.x, normal.y, normal.z)), radius);
    return BRepBuilderAPI_MakeEdge(circle).Edge();
}

} // namespace

KorrCore::ShapePtr LineEdge(const KMath::Vector3& from, const KMath::Vector3& to)
{
    return Holding(BRepBuilderAPI_MakeEdge(Pnt(from), Pnt(to)).Edge());
}

KorrCore::ShapePtr CircleEdge(const KMath::Vector3& centre, double radius, const KMath::Vector3& normal)
{
    return Holding(KernelCircle(centre, radius, normal));
}

KorrCore::ShapePtr CircleWire(const KMath::Vector3& centre, double radius, const KMath::Vector3& normal)
{
    return Holding(BRepBuilderAPI_MakeWire(KernelCircle(centre, radius, normal)).Wire());
}

KorrCore::ShapePtr PolylineWire(const std::vector<KMath::Vector3>& points, bool closed)
{
    return Holding(KernelPolygon(points, closed));
}

KorrCore::ShapePtr PolygonFace(const std::vector<KMath::Vector3>& points)
{
    return Holding(BRepBuilderAPI_MakeFace(KernelPolygon(points, true), /*OnlyPlane=*/true).Face());
}

KorrCore::ShapePtr CylindricalFace(double radius, double height)
{
    const gp_Cylinder cylinder(gp_Ax3(gp::XOY()), radius);
    return Holding(BRepBuilderAPI_MakeFace(cylinder, 0, 2 * M_PI, 0, height).Face());
}

KorrCore::ShapePtr SquareFace(const KMath::Vector3& corner, double side)
{
    const KMath::Vector3 x(side, 0, 0), y(0, side, 0);
    return PolygonFace({corner, corner + x, corner + x + y, corner + y});
}

KorrCore::ShapePtr BoxWithLooseEdge()
{
    BRep_Builder builder;
    TopoDS_Compound compound;
    builder.MakeCompound(compound);
    builder.Add(compound, BRepPrimAPI_MakeBox(1, 1, 1).Shape());
    builder.Add(compound, BRepBuilderAPI_MakeEdge(gp_Pnt(5, 5, 5), gp_Pnt(6, 5, 5)).Edge());
    return Holding(compound);
}

} // namespace KorrTest
