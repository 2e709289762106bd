#include "support/Checks.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepExtrema_DistShapeShape.hxx>
#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>
#include <Poly_Triangulation.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS_Iterator.hxx>

namespace KorrTest {

using namespace KorrCore;
using ::testing::AssertionFailure;

const TopoDS_Shape& Kernel(const ShapePtr& shape)
{
    static const TopoDS_Shape none;
    return shape ? KTopoShapeImpl::GetShape(shape.get()) : none;
}

ShapePtr Holding(const TopoDS_Shape& kernel)
{
    ShapePtr handle = std::make_shared<KTopoShape>();
    KTopoShapeImpl::SetShape(handle.get(), kernel);
    return handle;
}

template <class Explorer> ShapeList Listed(const ShapePtr& shape)
{
    ShapeList list;
    EXPECT_TRUE(Explorer::Explor(shape, list));
    return list;
}

ShapeList FacesOf(const ShapePtr& shape)
{
    return Listed<KTopoFaceExplor>(shape);
}
ShapeList EdgesOf(const ShapePtr& shape)
{
    return Listed<KTopoEdgeExplor>(shape);
}

std::vector<TopoDS_Shape> Children(const ShapePtr& shape)
{
    std::vector<TopoDS_Shape> children;
    for (TopoDS_Iterator child(Kernel(shape)); child.More(); child.Next())
        children.push_back(child.Value());
    return children;
}

double Size(const ShapePtr& shape)
{
    GProp_GProps props;
    if (CountDistinct(shape, TopAbs_SOLID) > 0)
        BRepGProp::VolumeProperties(Kernel(shape), props);
    else if (CountDistinct(shape, TopAbs_FACE) > 0)
        BRepGProp::SurfaceProperties(Kernel(shape), props);
    else
        BRepGProp::LinearProperties(Kernel(shape), props);
    return props.Mass();
}

AssertionResult HasKind(const ShapePtr& shape, TopoShapeType kind)
{
    if (!shape || shape->GetShapeType() != kind)
        return AssertionFailure() << (shape ? "a shape of kind " : "a null handle, not ")
                                  << (shape ? shape->GetShapeType() : kind);
    return ::testing::AssertionSuccess();
}

AssertionResult BoundsNear(const ShapePtr& shape, const KMath::Vector3& min, const KMath::Vector3& max, double tol)
{
    if (!shape)
        return AssertionFailure() << "a null handle";
    const KMath::Vector3 low = shape->GetBBox().getMinimum(), high = shape->GetBBox().getMaximum();
    if (!((low - min).length() <= tol && (high - max).length() <= tol))
        return AssertionFailure() << "box from (" << low.x << ", " << low.y << ", " << low.z << ") to (" << high.x
                                  << ", " << high.y << ", " << high.z << ")";
    return ::testing::AssertionSuccess();
}

AssertionResult Is(const ShapePtr& shape, TopoShapeType kind, double size, const KMath::Vector3& min,
                   const KMath::Vector3& max, double tol)
{
    if (AssertionResult ofKind = HasKind(shape, kind); !ofKind)
        return ofKind;
    if (!(std::abs(Size(shape) - size) <= tol * std::max(1.0, size)))
        return AssertionFailure() << "size " << Size(shape);
    return BoundsNear(shape, min, max, tol);
}

int CountDistinct(const ShapePtr& shape, TopAbs_ShapeEnum kind)
{
    TopTools_IndexedMapOfShape map;
    TopExp::MapShapes(Kernel(shape), kind, map);
    return map.Extent();
}

bool IsValid(const ShapePtr& shape)
{
    return !Kernel(shape).IsNull() && BRepCheck_Analyzer(Kernel(shape)).IsValid();
}

double DistanceTo(const ShapePtr& shape, const KMath::Vector3& point)
{
    return BRepExtrema_DistShapeShape(Kernel(shape), BRepBuilderAPI_MakeVertex(gp_Pnt(point.x, point.y, point.z)))
        .Value();
}

std::vector<gp_Pnt> VertexPoints(const ShapePtr& shape)
{
    TopTools_IndexedMapOfShape vertices;
    TopExp::MapShapes(Kernel(shape), TopAbs_VERTEX, vertices);
    std::vector<gp_Pnt> points;
    for (int i = 1; i <= vertices.Extent(); ++i)
        points.push_back(BRep_Tool::Pnt(TopoDS::Vertex(vertices(i))));
    return points;
}

AssertionResult PointsNear(const std::vector<gp_Pnt>& actual, const std::vector<gp_Pnt>& expected, double tol)
{
    for (std::size_t i = 0; i < actual.size() && actual.size() == expected.size(); ++i)
        if (!(actual[i].Distance(expected[i]) <= tol))
            return AssertionFailure() << "point " << i << " is " << actual[i].Distance(expected[i]) << " off";
    if (actual.size() != expected.size())
        return AssertionFailure() << actual.size() << " points, expected " << expected.size();
    return ::testing::AssertionSuccess();
}

KernelTriangulation Triangulated(const TopoDS_Shape& shape)
{
    KernelTriangulation counted;
    for (TopExp_Explorer face(shape, TopAbs_FACE); face.More(); face.Next(), ++counted.faces) {
        TopLoc_Location location;
        const Handle(Poly_Triangulation)& mesh = BRep_Tool::Triangulation(TopoDS::Face(face.Current()), location);
        if (mesh.IsNull())
            continue;
        ++counted.triangulated;
        counted.triangles += mesh->NbTriangles();
        counted.nodes += mesh->NbNodes();
    }
    return counted;
}

TopoDS_Edge FirstCircle(const TopoDS_Shape& shape)
{
    TopExp_Explorer edges(shape, TopAbs_EDGE);
    while (BRepAdaptor_Curve(TopoDS::Edge(edges.Current())).GetType() != GeomAbs_Circle)
        edges.Next();
    return TopoDS::Edge(edges.Current());
}

KMath::Matrix4 Moved(double x, double y, double z, bool turned)
{
    const double c = turned ? 0.0 : 1.0, s = turned ? 1.0 : 0.0;
    return {c, -s, 0, x, s, c, 0, y, 0, 0, 1, z, 0, 0, 0, 1};
}

ShapePtr BuiltAssembly()
{
    const ShapePtr bolt = KBrepTools::MakeCylinder(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, 2, 20, 360);
    const ShapePtr nut = KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, KMath::Vector3(6, 6, 4));
    const ShapePtr plate = KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, KMath::Vector3(50, 20, 5));
    const ShapePtr nutBolt = KBrepTools::MakeAssembly(
        {{bolt, Moved(0, 0, -5), L"BOLT_1", L"BOLT", KColor{1, 0, 0, 1}}, {nut, Moved(0, 0, 5), L"NUT_1", L"NUT"}},
        L"NUT-BOLT");
    return KBrepTools::MakeAssembly({{plate, Moved(0), L"PLATE_1", L"PLATE", KColor{0, 0, 1, 1}},
                                     {nutBolt, Moved(10), L"NBA_1"},
                                     {nutBolt, Moved(30, 5, 0, true), L"NBA_2"}},
                                    L"AS");
}

} // namespace KorrTest
