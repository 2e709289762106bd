#include <KorrGeomCore/Platform/Math.h>
#include <KorrGeomCore/TopoShape/KBrepTools.h>

#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeSphere.hxx>
#include <BRepPrim_Cone.hxx>
#include <BRepPrim_Cylinder.hxx>
#include <gp_Ax2.hxx>

#include "Core/Frame.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoShape/KBrepTools";

gp_Ax2 AxisSystem(const KMath::Vector3& origin, const KMath::Vector3& mainDirection)
{
    return gp_Ax2(ToPnt(origin), ToDir(mainDirection));
}

// A partial sweep only for angles strictly inside (0, 360) degrees; every other
// value, NaN included, keeps the builder's full turn. The angle must be set
// before the shell is built: the kernel refuses it afterwards.
ShapePtr SweptShell(BRepPrim_OneAxis& builder, double angleDegrees)
{
    if (0.0 < angleDegrees && angleDegrees < 360.0)
        builder.Angle(angleDegrees * KMath::Math::fDeg2Rad);
    return WrapShape(builder.Shell());
}

} // namespace

ShapePtr KBrepTools::MakeSphere(const KMath::Vector3& centre, double radius)
{
    if (!KORR_CHECK(0 < radius, "Invalid Radius!"))
        return nullptr;
    return Guarded([&] {
        BRepPrimAPI_MakeSphere builder(ToPnt(centre), ToReal(radius));
        return WrapShape(builder.Shape());
    });
}

ShapePtr KBrepTools::MakeCylinder(const KMath::Vector3& baseCentre, const KMath::Vector3& axisDirection,
                                  double radius, double height, double angleDegrees)
{
    if (!KORR_CHECK(0 < radius, ""))
        return nullptr;
    if (!KORR_CHECK(0 < height, ""))
        return nullptr;
    return Guarded([&] {
        BRepPrim_Cylinder builder(AxisSystem(baseCentre, axisDirection), ToReal(radius), ToReal(height));
        return SweptShell(builder, angleDegrees);
    });
}

ShapePtr KBrepTools::MakeBox(const KMath::Vector3& corner, const KMath::Vector3& mainDirection,
                             const KMath::Vector3& size)
{
    return Guarded([&] {
        BRepPrimAPI_MakeBox builder(AxisSystem(corner, mainDirection), ToReal(size.x), ToReal(size.y), ToReal(size.z));
        return WrapShape(builder.Solid());
    });
}

ShapePtr KBrepTools::MakeCone(const KMath::Vector3& baseCentre, const KMath::Vector3& axisDirection,
                              double baseRadius, double height, double topRadius, double angleDegrees)
{
    if (!KORR_CHECK(0 < baseRadius, ""))
        return nullptr;
    if (!KORR_CHECK(0 < height, ""))
        return nullptr;
    return Guarded([&] {
        // The kernel takes the top radius before the height.
        BRepPrim_Cone builder(AxisSystem(baseCentre, axisDirection), ToReal(baseRadius), ToReal(topRadius),
                              ToReal(height));
        return SweptShell(builder, angleDegrees);
    });
}

} // namespace KorrCore
