#include <KorrGeomCore/TopoShape/KFeatureTools.h>

#include <BRepPrimAPI_MakePrism.hxx>
#include <BRepPrimAPI_MakeRevol.hxx>
#include <gp_Ax1.hxx>

#include <cmath>

#include "Core/KernelValues.h"
#include "TopoShape/KFeatureToolsFrame.h"

namespace KorrCore {

namespace {

constexpr double kSmallestPartialTurn = 0.01;
constexpr double kFullTurn = 2.0 * M_PI;

} // namespace

ShapePtr KFeatureTools::Extrude(ShapePtr profile, double length, const KMath::Vector3& direction)
{
    return OperateOn(
        [&](const TopoDS_Shape& kernelProfile) -> ShapePtr {
            // The direction is not normalised: the sweep is |direction| x length.
            BRepPrimAPI_MakePrism prism(kernelProfile, ToVec(direction * length), /*Copy=*/false, /*Canonize=*/true);
            if (!prism.IsDone())
                return nullptr;
            return WrapShape(prism.Shape());
        },
        profile);
}

ShapePtr KFeatureTools::Revol(ShapePtr profile, const KMath::Vector3& axisPoint, const KMath::Vector3& axisDirection,
                              double angle)
{
    return OperateOn(
        [&](const TopoDS_Shape& kernelProfile) {
            const gp_Ax1 axis(ToPnt(axisPoint), ToDir(axisDirection));
            // Written as the partial range so that NaN, like every angle outside
            // it, gives the full turn rather than reaching the kernel.
            const bool partial = kSmallestPartialTurn <= angle && angle <= kFullTurn;
            BRepPrimAPI_MakeRevol revolution = partial
                                                   ? BRepPrimAPI_MakeRevol(kernelProfile, axis, angle, /*Copy=*/false)
                                                   : BRepPrimAPI_MakeRevol(kernelProfile, axis, /*Copy=*/false);
            // A declined profile (one crossing the axis) is not done without
            // raising; callers then see a handle whose IsNull() is true.
            return WrapShape(revolution.IsDone() ? revolution.Shape() : TopoDS_Shape());
        },
        profile);
}

} // namespace KorrCore
