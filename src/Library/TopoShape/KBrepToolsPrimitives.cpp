#include <KorrGeomCore/Platform/Math.h>
#include <KorrGeomCore/TopoShape/KBrepTools.h>

#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeSphere.hxx>
#include <BRepPrim_Cone.hxx>
#include <BRepPrim_Cylinder.hxx>
#include <gp_Ax2.hxx>

#include <string>

#include "Internal/Core/Frame.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoShape/KBrepTools";

gp_Ax2 AxisSystem(const KMath::Vector3& origin, const KMath::Vector3& mainDirection)
{
    return gp_Ax2(ToPnt(origin, "the base point"), ToDir(mainDirection, "the direction"));
}

std::string Positive(const char* name, double value)
{
    return std::string(name) + " must be greater than 0, got " + Shown(value);
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
    return Framed([&]() -> ShapePtr {
        if (!KORR_CHECK_WHY(0 < radius, "Invalid Radius!", InvalidArgument, Positive("radius", radius)))
            return nullptr;
        BRepPrimAPI_MakeSphere builder(ToPnt(centre, "centre"), ToReal(radius, "radius"));
        return WrapShape(builder.Shape());
    });
}

ShapePtr KBrepTools::MakeCylinder(const KMath::Vector3& baseCentre, const KMath::Vector3& axisDirection,
                                  double radius, double height, double angleDegrees)
{
    return Framed([&]() -> ShapePtr {
        if (!KORR_CHECK_WHY(0 < radius, "", InvalidArgument, Positive("radius", radius)) ||
            !KORR_CHECK_WHY(0 < height, "", InvalidArgument, Positive("height", height)))
            return nullptr;
        BRepPrim_Cylinder builder(AxisSystem(baseCentre, axisDirection), ToReal(radius, "radius"),
                                  ToReal(height, "height"));
        return SweptShell(builder, angleDegrees);
    });
}

ShapePtr KBrepTools::MakeBox(const KMath::Vector3& corner, const KMath::Vector3& mainDirection,
                             const KMath::Vector3& size)
{
    return Framed([&] {
        const gp_XYZ extent = ToXYZ(size, "size");
        BRepPrimAPI_MakeBox builder(AxisSystem(corner, mainDirection), extent.X(), extent.Y(), extent.Z());
        return WrapShape(builder.Solid());
    });
}

ShapePtr KBrepTools::MakeCone(const KMath::Vector3& baseCentre, const KMath::Vector3& axisDirection,
                              double baseRadius, double height, double topRadius, double angleDegrees)
{
    return Framed([&]() -> ShapePtr {
        if (!KORR_CHECK_WHY(0 < baseRadius, "", InvalidArgument, Positive("baseRadius", baseRadius)) ||
            !KORR_CHECK_WHY(0 < height, "", InvalidArgument, Positive("height", height)))
            return nullptr;
        // The kernel takes the top radius before the height.
        BRepPrim_Cone builder(AxisSystem(baseCentre, axisDirection), ToReal(baseRadius, "baseRadius"),
                              ToReal(topRadius, "topRadius"), ToReal(height, "height"));
        return SweptShell(builder, angleDegrees);
    });
}

} // namespace KorrCore
