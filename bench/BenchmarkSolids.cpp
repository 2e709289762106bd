#include "BenchmarkSolids.h"

#include <BRepAlgoAPI_Cut.hxx>
#include <BRepBuilderAPI_Copy.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakeSphere.hxx>
#include <TopTools_ListOfShape.hxx>
#include <gp_Ax2.hxx>

#include <stdexcept>

namespace KorrBench {

namespace {

constexpr int kHolesPerSide = 12;
constexpr double kPlateSide = 200;
constexpr double kPlateThickness = 10;

TopoDS_Shape BuildHoledPlate()
{
    const double pitch = kPlateSide / kHolesPerSide;
    TopTools_ListOfShape tools;
    for (int i = 0; i < kHolesPerSide; ++i) {
        for (int j = 0; j < kHolesPerSide; ++j) {
            const double x = (i + 0.5) * pitch, y = (j + 0.5) * pitch;
            tools.Append(
                BRepPrimAPI_MakeCylinder(gp_Ax2(gp_Pnt(x, y, -1), gp::DZ()), pitch / 5, kPlateThickness + 2).Shape());
            // Dimples between the holes.
            if (i + 1 < kHolesPerSide && j + 1 < kHolesPerSide)
                tools.Append(
                    BRepPrimAPI_MakeSphere(gp_Pnt(x + pitch / 2, y + pitch / 2, kPlateThickness + 1), 3).Shape());
        }
    }
    TopTools_ListOfShape plate;
    plate.Append(BRepPrimAPI_MakeBox(kPlateSide, kPlateSide, kPlateThickness).Shape());
    BRepAlgoAPI_Cut cut;
    cut.SetArguments(plate);
    cut.SetTools(tools);
    cut.Build();
    if (!cut.IsDone())
        throw std::runtime_error("the holed plate could not be built");
    return cut.Shape();
}

TopoDS_Shape BuildFilletedPart()
{
    using KMath::Vector3;
    using namespace KorrCore;
    const ShapePtr block = KBrepTools::MakeBox(Vector3(0, 0, 0), Vector3::UNIT_Z, Vector3(40, 30, 20));
    const ShapePtr pocket = KBrepTools::MakeBox(Vector3(8, 8, 8), Vector3::UNIT_Z, Vector3(24, 14, 20));
    const ShapePtr part = KFeatureTools::Fillet(KFeatureTools::Boolean(block, pocket, BooleanCut), 1.5);
    if (!part)
        throw std::runtime_error("the filleted part could not be built");
    return KTopoShapeImpl::GetShape(part.get());
}

} // namespace

const TopoDS_Shape& FilletedPart()
{
    static const TopoDS_Shape part = BuildFilletedPart();
    return part;
}

const TopoDS_Shape& HoledPlate()
{
    static const TopoDS_Shape plate = BuildHoledPlate();
    return plate;
}

TopoDS_Shape Unmeshed(const TopoDS_Shape& shape)
{
    return BRepBuilderAPI_Copy(shape, true, false).Shape();
}

KorrCore::ShapePtr HostHandle(const TopoDS_Shape& shape)
{
    KorrCore::ShapePtr handle = std::make_shared<KorrCore::KTopoShape>();
    KorrCore::KTopoShapeImpl::SetShape(handle.get(), shape);
    return handle;
}

} // namespace KorrBench
