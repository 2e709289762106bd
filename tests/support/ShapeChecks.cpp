#include "support/ShapeChecks.h"

#include <BRepCheck_Analyzer.hxx>
#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>

#include <cmath>

namespace KorrTest {

const TopoDS_Shape& Kernel(const KorrCore::ShapePtr& shape) { return KorrCore::KTopoShapeImpl::GetShape(shape.get()); }

KorrCore::ShapePtr HandleOf(const TopoDS_Shape& shape)
{
    auto handle = std::make_shared<KorrCore::KTopoShape>();
    KorrCore::KTopoShapeImpl::SetShape(handle.get(), shape);
    return handle;
}

double Volume(const KorrCore::ShapePtr& shape)
{
    GProp_GProps props;
    BRepGProp::VolumeProperties(Kernel(shape), props);
    return props.Mass();
}

double Area(const KorrCore::ShapePtr& shape)
{
    GProp_GProps props;
    BRepGProp::SurfaceProperties(Kernel(shape), props);
    return props.Mass();
}

int CountDistinct(const KorrCore::ShapePtr& shape, TopAbs_ShapeEnum kind)
{
    TopTools_IndexedMapOfShape map;
    TopExp::MapShapes(Kernel(shape), kind, map);
    return map.Extent();
}

bool IsValid(const KorrCore::ShapePtr& shape) { return BRepCheck_Analyzer(Kernel(shape)).IsValid(); }

::testing::AssertionResult BoxNear(const KMath::AxisAlignedBox& box, const KMath::Vector3& min,
                                   const KMath::Vector3& max, double tol)
{
    const KMath::Vector3& lo = box.getMinimum();
    const KMath::Vector3& hi = box.getMaximum();
    const bool near = std::abs(lo.x - min.x) <= tol && std::abs(lo.y - min.y) <= tol && std::abs(lo.z - min.z) <= tol &&
                      std::abs(hi.x - max.x) <= tol && std::abs(hi.y - max.y) <= tol && std::abs(hi.z - max.z) <= tol;
    if (near)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "box (" << lo.x << ", " << lo.y << ", " << lo.z << ") - (" << hi.x << ", "
                                         << hi.y << ", " << hi.z << ") expected (" << min.x << ", " << min.y << ", "
                                         << min.z << ") - (" << max.x << ", " << max.y << ", " << max.z << ")";
}

} // namespace KorrTest
