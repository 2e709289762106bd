#include <KorrGeomCore/KorrGeomCore.h>

#include <BRep_Tool.hxx>
#include <Geom_Plane.hxx>
#include <TopExp.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Vertex.hxx>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/CurveChecks.h"
#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"

using namespace KorrCore;
using KMath::Math;
using KMath::Vector3;
using KorrTest::Children;
using KorrTest::CountDistinct;
using KorrTest::FacesOf;
using KorrTest::HasKind;
using KorrTest::Kernel;
using KorrTest::ReportRecorder;

namespace {

constexpr double kForcedTolerance = 1e-05;

ShapePtr Line(double x0, double y0, double x1, double y1)
{
    return KBrepTools::MakeLine(Vector3(x0, y0, 0), Vector3(x1, y1, 0));
}

// The four sides of the unit square, in order around it.
ShapeList SquareSides()
{
    return {Line(0, 0, 1, 0), Line(1, 0, 1, 1), Line(1, 1, 0, 1), Line(0, 1, 0, 0)};
}

ShapePtr Box()
{
    return KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(10, 20, 30));
}

ShapePtr EmptyHandle()
{
    return std::make_shared<KTopoShape>();
}

// The largest tolerance of the edge and of its two vertices.
double EdgeAndVertexTolerance(const ShapePtr& edge)
{
    const TopoDS_Edge& kernel = TopoDS::Edge(Kernel(edge));
    TopoDS_Vertex first, last;
    TopExp::Vertices(kernel, first, last);
    return std::max({BRep_Tool::Tolerance(kernel), BRep_Tool::Tolerance(first), BRep_Tool::Tolerance(last)});
}

} // namespace

TEST(MakeWire, JoinsEdgesInOrderAndLeavesThemTheForcedTolerance)
{
    const ShapeList sides = SquareSides();
    ASSERT_LT(EdgeAndVertexTolerance(sides.front()), kForcedTolerance);
    ReportRecorder recorder;
    const ShapePtr wire = KBrepTools::MakeWire(sides);
    ASSERT_TRUE(HasKind(wire, TopoWire));
    EXPECT_EQ(CountDistinct(wire, TopAbs_EDGE), 4);
    EXPECT_TRUE(BRep_Tool::IsClosed(Kernel(wire)));
    for (const ShapePtr& side : sides)
        EXPECT_DOUBLE_EQ(EdgeAndVertexTolerance(side), kForcedTolerance);
    EXPECT_EQ(recorder.count(), 0u);
}

TEST(MakeWire, JoinsWiresWithEdgesAndEndsThatMissByLessThanTheForcedTolerance)
{
    const ShapePtr nearMiss = KBrepTools::MakeWire({Line(0, 0, 1, 0), Line(1 + 5e-6, 0, 1, 1)});
    EXPECT_EQ(CountDistinct(nearMiss, TopAbs_EDGE), 2);
    EXPECT_EQ(CountDistinct(nearMiss, TopAbs_VERTEX), 3);

    std::vector<Vector3> corners = {Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(1, 1, 0)};
    const ShapePtr wire = KBrepTools::MakeWire({KBrepTools::MakePolyline(corners.data(), 3), Line(1, 1, 0, 0)});
    ASSERT_TRUE(wire);
    EXPECT_EQ(CountDistinct(wire, TopAbs_EDGE), 3);
    EXPECT_TRUE(BRep_Tool::IsClosed(Kernel(wire)));
}

TEST(MakeWire, ReportsAndSkipsEverythingButEdgesAndWires)
{
    const ShapePtr face = FacesOf(Box()).front();
    ReportRecorder recorder;
    const ShapePtr wire = KBrepTools::MakeWire({Line(0, 0, 1, 0), face, nullptr, EmptyHandle()});
    EXPECT_EQ(CountDistinct(wire, TopAbs_EDGE), 1);
    EXPECT_EQ(recorder.messages(), std::vector<std::string>(3, "Invalid Shape!"));
    EXPECT_EQ(recorder.reports()[0].file, "TopoShape/KBrepTools");

    ReportRecorder nothingUsable;
    EXPECT_FALSE(KBrepTools::MakeWire({face, Box()}));
    EXPECT_EQ(nothingUsable.count(), 2u);
}

TEST(MakeWire, NullWithoutReportWhenEmptyOrAnElementDoesNotConnect)
{
    ReportRecorder recorder;
    EXPECT_FALSE(KBrepTools::MakeWire({}));
    // The third side meets the first again, which must not hide the stray second.
    const ShapeList withStray = {Line(0, 0, 1, 0), Line(5, 5, 6, 5), Line(1, 0, 1, 1)};
    EXPECT_FALSE(KBrepTools::MakeWire(withStray));
    EXPECT_EQ(recorder.count(), 0u);
    for (const ShapePtr& edge : withStray)
        EXPECT_DOUBLE_EQ(EdgeAndVertexTolerance(edge), kForcedTolerance);
}

TEST(MakeFace, FillsAPlanarWire)
{
    const ShapePtr disc = KBrepTools::MakeFace(KBrepTools::MakeCircle(Vector3(0, 0, 2), 3, Vector3::UNIT_Z));
    ASSERT_TRUE(HasKind(disc, TopoFace));
    const Handle(Geom_Plane) plane = Handle(Geom_Plane)::DownCast(BRep_Tool::Surface(TopoDS::Face(Kernel(disc))));
    ASSERT_TRUE(plane);
    EXPECT_TRUE(plane->Axis().Direction().IsParallel(gp_Dir(0, 0, 1), 1e-12));
    EXPECT_NEAR(KorrTest::Area(disc), Math::PI * 9, 1e-9);
    EXPECT_TRUE(KorrTest::IsValid(disc));

    std::vector<Vector3> corners = {Vector3(0, 0, 0), Vector3(2, 0, 0), Vector3(2, 3, 0), Vector3(0, 3, 0)};
    EXPECT_NEAR(KorrTest::Area(KBrepTools::MakeFace(KBrepTools::MakePolygon(corners.data(), 4))), 6.0, 1e-9);
}

TEST(MakeFace, NullWithoutReportForAnythingButAFillableWire)
{
    std::vector<Vector3> corners = {Vector3(0, 0, 0), Vector3(2, 0, 0), Vector3(2, 3, 0)};
    ReportRecorder recorder;
    EXPECT_FALSE(KBrepTools::MakeFace(Line(0, 0, 1, 0)));
    EXPECT_FALSE(KBrepTools::MakeFace(KBrepTools::MakePolyline(corners.data(), 2))); // a single straight edge
    EXPECT_FALSE(KBrepTools::MakeFace(nullptr));
    EXPECT_FALSE(KBrepTools::MakeFace(EmptyHandle()));

    // Just short of the magnitudes the kernel counts as infinite, filling this
    // there-and-back outline would never return. Such coordinates are refused
    // when given, but repeated scaling takes a wire there.
    std::vector<Vector3> far = {Vector3(0, 0, 0), Vector3(5e-99, 8, -8e-98)};
    ShapePtr outline = KBrepTools::MakePolygon(far.data(), 2);
    for (int i = 0; i < 9; ++i)
        outline = KFeatureTools::Scale(outline, Vector3::ZERO, 1e11);
    ASSERT_TRUE(outline);
    EXPECT_FALSE(KBrepTools::MakeFace(outline));
    EXPECT_EQ(recorder.count(), 0u);
}

TEST(MakeCompound, GathersUsableShapesInOrderAndReportsTheOthers)
{
    ReportRecorder recorder;
    const ShapePtr empty = KBrepTools::MakeCompound({});
    ASSERT_TRUE(HasKind(empty, TopoCompound));
    EXPECT_TRUE(Children(empty).empty());
    EXPECT_EQ(recorder.count(), 0u);

    const ShapeList parts = {Box(), nullptr, Line(0, 0, 1, 0), EmptyHandle(), KBrepTools::MakeVertex(Vector3::ZERO)};
    const ShapePtr compound = KBrepTools::MakeCompound(parts);
    ASSERT_TRUE(compound);
    EXPECT_EQ(recorder.messages(), std::vector<std::string>(2, "NULL"));
    const std::vector<TopoDS_Shape> children = Children(compound);
    ASSERT_EQ(children.size(), 3u);
    EXPECT_TRUE(children[0].IsSame(Kernel(parts.front())));
    EXPECT_TRUE(children[1].IsSame(Kernel(*std::next(parts.begin(), 2))));
    EXPECT_TRUE(children[2].IsSame(Kernel(parts.back())));
}

TEST(MakeShell, GathersTheFacesAndSkipsTheRestSilently)
{
    ShapeList elements = FacesOf(Box());
    elements.push_back(Line(0, 0, 1, 0));
    elements.push_back(nullptr);
    elements.push_back(EmptyHandle());
    ReportRecorder recorder;
    const ShapePtr shell = KBrepTools::MakeShell(elements);
    ASSERT_TRUE(HasKind(shell, TopoShell));
    EXPECT_EQ(Children(shell).size(), 6u);
    EXPECT_EQ(CountDistinct(shell, TopAbs_EDGE), 12);

    const ShapePtr empty = KBrepTools::MakeShell({});
    ASSERT_TRUE(HasKind(empty, TopoShell));
    EXPECT_EQ(Children(empty).size(), 0u);
    EXPECT_EQ(recorder.count(), 0u);
}

TEST(MakeSolid, IsBoundedByShellsSolidShellsAndOneShellPerFace)
{
    const ShapePtr box = Box();
    const ShapePtr fromShell = KBrepTools::MakeSolid({KBrepTools::MakeShell(FacesOf(box))});
    ASSERT_TRUE(HasKind(fromShell, TopoSolid));
    EXPECT_EQ(Children(fromShell).size(), 1u);
    EXPECT_NEAR(KorrTest::Volume(fromShell), 6000.0, 1e-6);

    const ShapePtr fromSolid = KBrepTools::MakeSolid({box});
    ASSERT_TRUE(fromSolid);
    EXPECT_FALSE(Kernel(fromSolid).IsSame(Kernel(box)));
    EXPECT_NEAR(KorrTest::Volume(fromSolid), 6000.0, 1e-6);
    EXPECT_TRUE(KorrTest::IsValid(fromSolid));

    const ShapePtr fromFaces = KBrepTools::MakeSolid(FacesOf(box));
    ASSERT_TRUE(fromFaces);
    EXPECT_EQ(Children(fromFaces).size(), 6u);
    EXPECT_EQ(CountDistinct(fromFaces, TopAbs_FACE), 6);
    EXPECT_NEAR(KorrTest::Volume(fromFaces), 6000.0, 1e-6);
}

TEST(MakeSolid, SkipsOtherKindsSilently)
{
    ReportRecorder recorder;
    const ShapePtr solid =
        KBrepTools::MakeSolid({KBrepTools::MakeCompound({Box()}), Line(0, 0, 1, 0), nullptr, EmptyHandle(), Box()});
    ASSERT_TRUE(solid);
    EXPECT_EQ(Children(solid).size(), 1u); // the last box's shell only: compounds are not looked into
    EXPECT_NEAR(KorrTest::Volume(solid), 6000.0, 1e-6);
    EXPECT_EQ(recorder.count(), 0u);
}
