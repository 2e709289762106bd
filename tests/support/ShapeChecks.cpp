#include "support/ShapeChecks.h"

#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepExtrema_DistShapeShape.hxx>
#include <BRep_Tool.hxx>
#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Iterator.hxx>

#include <cmath>

namespace KorrTest {

const TopoDS_Shape& Kernel(const KorrCore::ShapePtr& shape)
{
    static const TopoDS_Shape none;
    return shape ? KorrCore::KTopoShapeImpl::GetShape(shape.get()) : none;
}

KorrCore::ShapePtr Holding(const TopoDS_Shape& kernel)
{
    KorrCore::ShapePtr handle = std::make_shared<KorrCore::KTopoShape>();
    KorrCore::KTopoShapeImpl::SetShape(handle.get(), kernel);
    return handle;
}

KorrCore::ShapeList FacesOf(const KorrCore::ShapePtr& shape)
{
    KorrCore::ShapeList faces;
    EXPECT_TRUE(KorrCore::KTopoFaceExplor::Explor(shape, faces));
    return faces;
}

std::vector<TopoDS_Shape> Children(const KorrCore::ShapePtr& shape)
{
    std::vector<TopoDS_Shape> children;
    for (TopoDS_Iterator child(Kernel(shape)); child.More(); child.Next())
        children.push_back(child.Value());
    return children;
}

::testing::AssertionResult HasKind(const KorrCore::ShapePtr& shape, KorrCore::TopoShapeType kind)
{
    if (!shape)
        return ::testing::AssertionFailure() << "null handle";
    if (shape->GetShapeType() != kind)
        return ::testing::AssertionFailure() << "kind " << shape->GetShapeType() << ", not " << kind;
    return ::testing::AssertionSuccess();
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

bool IsValid(const KorrCore::ShapePtr& shape)
{
    return !Kernel(shape).IsNull() && BRepCheck_Analyzer(Kernel(shape)).IsValid();
}

double DistanceBetween(const TopoDS_Shape& first, const TopoDS_Shape& second)
{
    return BRepExtrema_DistShapeShape(first, second).Value();
}

double DistanceTo(const KorrCore::ShapePtr& shape, const gp_Pnt& point)
{
    return DistanceBetween(Kernel(shape), BRepBuilderAPI_MakeVertex(point).Shape());
}

std::vector<gp_Pnt> VertexPoints(const KorrCore::ShapePtr& shape)
{
    TopTools_IndexedMapOfShape vertices;
    TopExp::MapShapes(Kernel(shape), TopAbs_VERTEX, vertices);
    std::vector<gp_Pnt> points;
    for (int i = 1; i <= vertices.Extent(); ++i)
        points.push_back(BRep_Tool::Pnt(TopoDS::Vertex(vertices(i))));
    return points;
}

::testing::AssertionResult PointsNear(const std::vector<gp_Pnt>& actual, const std::vector<gp_Pnt>& expected,
                                      double tol)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << actual.size() << " points, expected " << expected.size();
    for (std::size_t i = 0; i < actual.size(); ++i)
        if (!(actual[i].Distance(expected[i]) <= tol))
            return ::testing::AssertionFailure()
                   << "point " << i << " (" << actual[i].X() << ", " << actual[i].Y() << ", " << actual[i].Z()
                   << ") expected (" << expected[i].X() << ", " << expected[i].Y() << ", " << expected[i].Z() << ")";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult SamePointsNear(const std::vector<gp_Pnt>& actual, const std::vector<gp_Pnt>& expected,
                                          double tol)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << actual.size() << " points, expected " << expected.size();
    std::vector<bool> matched(actual.size(), false);
    for (const gp_Pnt& wanted : expected) {
        std::size_t i = 0;
        while (i < actual.size() && (matched[i] || !(actual[i].Distance(wanted) <= tol)))
            ++i;
        if (i == actual.size())
            return ::testing::AssertionFailure()
                   << "no point near (" << wanted.X() << ", " << wanted.Y() << ", " << wanted.Z() << ")";
        matched[i] = true;
    }
    return ::testing::AssertionSuccess();
}

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

::testing::AssertionResult BoundsNear(const KorrCore::ShapePtr& shape, const KMath::Vector3& min,
                                      const KMath::Vector3& max, double tol)
{
    if (!shape)
        return ::testing::AssertionFailure() << "null handle";
    return BoxNear(shape->GetBBox(), min, max, tol);
}

} // namespace KorrTest
