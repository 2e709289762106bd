#include <KorrGeomCore/Platform/Math.h>
#include <KorrGeomCore/TopoShape/KFeatureTools.h>
#include <KorrGeomCore/TopoShape/KTopoShapeImpl.h>

#include <BRepBuilderAPI_Transform.hxx>
#include <gp.hxx>
#include <gp_Ax1.hxx>
#include <gp_Trsf.hxx>

#include <cmath>

#include "Internal/Core/Frame.h"
#include "Internal/Core/MatrixTransform.h"

namespace KorrCore {

namespace {

// Applies the transformation without copying geometry: rigid motions become a
// location on the shape. Taking the shape raises when the algorithm is not
// done, so no separate test is needed.
TopoDS_Shape Transformed(const TopoDS_Shape& shape, const gp_Trsf& transformation)
{
    return BRepBuilderAPI_Transform(shape, transformation, /*Copy=*/false).Shape();
}

// makeTransformation runs inside the guard: the kernel raises for zero axes,
// equal mirror points and zero scale factors.
template <class MakeTransformation>
ShapePtr TransformedCopy(const ShapePtr& shape, MakeTransformation&& makeTransformation)
{
    return OperateOn(
        [&](const TopoDS_Shape& kernelShape) { return WrapShape(Transformed(kernelShape, makeTransformation())); },
        shape);
}

// Every handle sharing the implementation object sees the new shape; on
// failure the old one is kept.
template <class MakeTransformation>
bool TransformInPlace(const ShapePtr& shape, MakeTransformation&& makeTransformation)
{
    return OperateOn(
        [&](const TopoDS_Shape& kernelShape) {
            const TopoDS_Shape result = Transformed(kernelShape, makeTransformation());
            KTopoShapeImpl::SetShape(shape.get(), result);
            return true;
        },
        shape);
}

gp_Trsf Scaling(const KMath::Vector3& centre, double factor)
{
    gp_Trsf transformation;
    const double scale = ToReal(factor, "factor");
    // The kernel refuses the same, with a message that names no argument.
    if (std::abs(scale) <= gp::Resolution())
        throw RefusedArgument("factor must not be 0, got " + Shown(factor));
    transformation.SetScale(ToPnt(centre, "centre"), scale);
    return transformation;
}

gp_Trsf Translation(const KMath::Vector3& offset)
{
    gp_Trsf transformation;
    transformation.SetTranslation(ToVec(offset, "offset"));
    return transformation;
}

// Always about an axis through the world origin, never about the shape's centre.
gp_Trsf QuaternionRotation(const KMath::Quaternion& rotation)
{
    KMath::Radian angle(0.0);
    KMath::Vector3 axis;
    rotation.ToAngleAxis(angle, axis);
    axis.normalise();
    gp_Trsf transformation;
    transformation.SetRotation(gp_Ax1(gp::Origin(), ToDir(axis, "the rotation's axis")),
                               ToReal(angle.valueRadians(), "the rotation's angle"));
    return transformation;
}

gp_Trsf AxisRotation(const KMath::Vector3& axisPoint, const KMath::Vector3& axisDirection, double angleDegrees)
{
    gp_Trsf transformation;
    transformation.SetRotation(gp_Ax1(ToPnt(axisPoint, "axisPoint"), ToDir(axisDirection, "axisDirection")),
                               ToReal(angleDegrees * KMath::Math::fDeg2Rad, "angleDegrees"));
    return transformation;
}

gp_Trsf LineSymmetry(const KMath::Vector3& firstAxisPoint, const KMath::Vector3& secondAxisPoint)
{
    gp_Trsf transformation;
    transformation.SetMirror(gp_Ax1(ToPnt(firstAxisPoint, "firstAxisPoint"),
                                    ToDir(secondAxisPoint - firstAxisPoint, "secondAxisPoint - firstAxisPoint")));
    return transformation;
}

} // namespace

ShapePtr KFeatureTools::Scale(ShapePtr shape, const KMath::Vector3& centre, double factor)
{
    return TransformedCopy(shape, [&] { return Scaling(centre, factor); });
}

ShapePtr KFeatureTools::Rotation(ShapePtr shape, const KMath::Quaternion& rotation)
{
    return TransformedCopy(shape, [&] { return QuaternionRotation(rotation); });
}

ShapePtr KFeatureTools::Rotation(ShapePtr shape, const KMath::Vector3& axisPoint, const KMath::Vector3& axisDirection,
                                 double angleDegrees)
{
    return TransformedCopy(shape, [&] { return AxisRotation(axisPoint, axisDirection, angleDegrees); });
}

ShapePtr KFeatureTools::Translate(ShapePtr shape, const KMath::Vector3& offset)
{
    return TransformedCopy(shape, [&] { return Translation(offset); });
}

ShapePtr KFeatureTools::Transform(ShapePtr shape, const KMath::Matrix4& matrix)
{
    return TransformedCopy(shape, [&] {
        if (!IsScaledRotation(matrix))
            throw RefusedArgument("matrix must scale uniformly and rotate, mirror or move, which it does not");
        return MatrixTransformation(matrix);
    });
}

ShapePtr KFeatureTools::MakeMirror(ShapePtr shape, const KMath::Vector3& firstAxisPoint,
                                   const KMath::Vector3& secondAxisPoint)
{
    return TransformedCopy(shape, [&] { return LineSymmetry(firstAxisPoint, secondAxisPoint); });
}

bool KFeatureTools::ScaleInplace(ShapePtr shape, const KMath::Vector3& centre, double factor)
{
    return TransformInPlace(shape, [&] { return Scaling(centre, factor); });
}

bool KFeatureTools::RotationInplace(ShapePtr shape, const KMath::Quaternion& rotation)
{
    return TransformInPlace(shape, [&] { return QuaternionRotation(rotation); });
}

bool KFeatureTools::TranslateInplace(ShapePtr shape, const KMath::Vector3& offset)
{
    return TransformInPlace(shape, [&] { return Translation(offset); });
}

} // namespace KorrCore
