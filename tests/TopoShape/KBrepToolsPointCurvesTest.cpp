#include <KorrGeomCore/KorrGeomCore.h>

#include <BRep_Tool.hxx>
#include <GeomAPI_ProjectPointOnCurve.hxx>
#include <Geom_BSplineCurve.hxx>
#include <TopExp.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Vertex.hxx>
#include <gtest/gtest.h>

#include <vector>

#include "support/CurveChecks.h"
#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::CurveOf;
using KorrTest::Edges;
using KorrTest::PointNear;
using KorrTest::ReportRecorder;
using KorrTest::ToPoint;

namespace {

using PointListBuilder = ShapePtr (*)(KMath::Vector3*, int);

const PointListBuilder kAllBuilders[] = {&KBrepTools::MakePolyline, &KBrepTools::MakePolygon, &KBrepTools::MakeSpline};

std::vector<Vector3> SquareCorners() { return {Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(1, 1, 0), Vector3(0, 1, 0)}; }

// The end vertices of an open wire, or its one closing vertex twice.
std::pair<gp_Pnt, gp_Pnt> WireEnds(const ShapePtr& wire)
{
    TopoDS_Vertex first, last;
    TopExp::Vertices(TopoDS::Wire(KorrTest::Kernel(wire)), first, last);
    return {BRep_Tool::Pnt(first), BRep_Tool::Pnt(last)};
}

} // namespace

TEST(PointListCurves, TooFewPointsOrNoArrayGiveNullWithoutReportAndThePointsAreLeftUnchanged)
{
    std::vector<Vector3> points = SquareCorners();
    ReportRecorder recorder;
    for (PointListBuilder build : kAllBuilders) {
        for (int count : {1, 0, -5})
            EXPECT_FALSE(build(points.data(), count)) << count;
        EXPECT_FALSE(build(nullptr, 4));
    }
    EXPECT_EQ(recorder.count(), 0u);

    std::vector<Vector3> wave = {Vector3(0, 0, 0), Vector3(1, 2, 0), Vector3(3, 2, 1), Vector3(4, 0, 1)};
    const std::vector<Vector3> original = wave;
    for (PointListBuilder build : kAllBuilders) {
        EXPECT_TRUE(build(wave.data(), static_cast<int>(wave.size())));
        EXPECT_EQ(wave, original);
    }
}

TEST(MakePolyline, IsAnOpenWireOfStraightEdgesThroughThePoints)
{
    std::vector<Vector3> points = SquareCorners();
    const ShapePtr two = KBrepTools::MakePolyline(points.data(), 2);
    ASSERT_TRUE(KorrTest::HasKind(two, TopoWire));
    EXPECT_EQ(Edges(two).size(), 1u);

    const ShapePtr open = KBrepTools::MakePolyline(points.data(), 4);
    ASSERT_TRUE(KorrTest::HasKind(open, TopoWire));
    EXPECT_EQ(Edges(open).size(), 3u);
    EXPECT_FALSE(BRep_Tool::IsClosed(KorrTest::Kernel(open)));
    const auto [first, last] = WireEnds(open);
    EXPECT_TRUE(PointNear(first, gp_Pnt(0, 0, 0), 0.0));
    EXPECT_TRUE(PointNear(last, gp_Pnt(0, 1, 0), 0.0));
    for (const Vector3& corner : points)
        EXPECT_NEAR(KorrTest::DistanceTo(open, ToPoint(corner)), 0.0, 1e-12);
}

TEST(MakePolygon, ClosesTheWireBackToTheFirstPoint)
{
    std::vector<Vector3> points = SquareCorners();
    const ShapePtr square = KBrepTools::MakePolygon(points.data(), 4);
    ASSERT_TRUE(KorrTest::HasKind(square, TopoWire));
    EXPECT_EQ(Edges(square).size(), 4u);
    EXPECT_TRUE(BRep_Tool::IsClosed(KorrTest::Kernel(square)));
    EXPECT_EQ(KorrTest::CountDistinct(square, TopAbs_VERTEX), 4);
    EXPECT_NEAR(KorrTest::DistanceTo(square, gp_Pnt(0, 0.5, 0)), 0.0, 1e-12); // on the closing edge
}

TEST(PointListCurves, PolylineAndPolygonSkipRepeatedPointsAndTheSplineRefusesThem)
{
    std::vector<Vector3> repeated = {Vector3(0, 0, 0), Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(1, 1, 0)};
    EXPECT_EQ(Edges(KBrepTools::MakePolyline(repeated.data(), 4)).size(), 2u);
    EXPECT_EQ(Edges(KBrepTools::MakePolygon(repeated.data(), 4)).size(), 3u);

    std::vector<Vector3> same(3, Vector3(2, 2, 2));
    ReportRecorder recorder;
    EXPECT_FALSE(KBrepTools::MakePolyline(same.data(), 3));
    EXPECT_FALSE(KBrepTools::MakePolygon(same.data(), 3));
    // The spline refuses a repeated point instead.
    std::vector<Vector3> twice = {Vector3(0, 0, 0), Vector3(1, 1, 0), Vector3(1, 1, 0), Vector3(2, 0, 0)};
    EXPECT_FALSE(KBrepTools::MakeSpline(twice.data(), 4));
    EXPECT_EQ(recorder.count(), 0u);
}

TEST(MakeSpline, IsOneOpenEdgeThroughEveryPointInOrder)
{
    // First and last close together: the spline still does not close.
    std::vector<Vector3> points = {Vector3(0, 0, 0), Vector3(2, 1, 0), Vector3(1, 3, 1), Vector3(0, 0.01, 0)};
    const ShapePtr spline = KBrepTools::MakeSpline(points.data(), 4);
    ASSERT_TRUE(KorrTest::HasKind(spline, TopoEdge));
    const KorrTest::EdgeCurve curve = CurveOf(Edges(spline).at(0));
    const Handle(Geom_BSplineCurve) bspline = Handle(Geom_BSplineCurve)::DownCast(curve.curve);
    ASSERT_TRUE(bspline);
    EXPECT_FALSE(bspline->IsPeriodic());
    EXPECT_TRUE(PointNear(curve.Start(), gp_Pnt(0, 0, 0), 1e-12));
    EXPECT_TRUE(PointNear(curve.End(), gp_Pnt(0, 0.01, 0), 1e-12));

    double previousParameter = curve.first;
    for (const Vector3& point : points) {
        GeomAPI_ProjectPointOnCurve projection(ToPoint(point), curve.curve, curve.first, curve.last);
        ASSERT_GT(projection.NbPoints(), 0);
        EXPECT_LT(projection.LowerDistance(), 1e-9);
        EXPECT_GE(projection.LowerDistanceParameter(), previousParameter);
        previousParameter = projection.LowerDistanceParameter();
    }
}
