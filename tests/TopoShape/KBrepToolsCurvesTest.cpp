#include <KorrGeomCore/KorrGeomCore.h>

#include <BRepAdaptor_Curve.hxx>
#include <BRep_Tool.hxx>
#include <GCPnts_AbscissaPoint.hxx>
#include <Geom_Ellipse.hxx>
#include <Geom_Line.hxx>
#include <TopoDS.hxx>
#include <gtest/gtest.h>

#include <cmath>

#include "support/CurveChecks.h"
#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"

using namespace KorrCore;
using KMath::Math;
using KMath::Vector3;
using KorrTest::CircleOf;
using KorrTest::CurveOf;
using KorrTest::Edges;
using KorrTest::PointNear;
using KorrTest::ReportRecorder;
using KorrTest::ToPoint;

namespace {

constexpr double kPi = Math::PI;

// The one edge of a shape that must hold exactly one.
TopoDS_Edge OnlyEdge(const ShapePtr& shape)
{
    const std::vector<TopoDS_Edge> edges = Edges(shape);
    EXPECT_EQ(edges.size(), 1u);
    return edges.empty() ? TopoDS_Edge() : edges.front();
}

double Length(const TopoDS_Edge& edge) { return GCPnts_AbscissaPoint::Length(BRepAdaptor_Curve(edge)); }

} // namespace

TEST(MakeVertexAndLine, SitWhereTheyAreAsked)
{
    const ShapePtr vertex = KBrepTools::MakeVertex(Vector3(1, 2, 3));
    ASSERT_TRUE(KorrTest::HasKind(vertex, TopoVertex));
    EXPECT_TRUE(PointNear(BRep_Tool::Pnt(TopoDS::Vertex(KorrTest::Kernel(vertex))), gp_Pnt(1, 2, 3), 0.0));

    const ShapePtr line = KBrepTools::MakeLine(Vector3(1, 0, 0), Vector3(1, 4, 3));
    ASSERT_TRUE(KorrTest::HasKind(line, TopoEdge));
    const KorrTest::EdgeCurve curve = CurveOf(OnlyEdge(line));
    EXPECT_TRUE(Handle(Geom_Line)::DownCast(curve.curve));
    EXPECT_TRUE(PointNear(curve.Start(), gp_Pnt(1, 0, 0), 1e-12));
    EXPECT_TRUE(PointNear(curve.End(), gp_Pnt(1, 4, 3), 1e-12));
}

TEST(MakeCircle, IsAWireOfOneClosedCircleInThePlaneNormalToTheAxis)
{
    const ShapePtr circle = KBrepTools::MakeCircle(Vector3(1, 2, 3), 5, Vector3(0, 0, 7));
    ASSERT_TRUE(KorrTest::HasKind(circle, TopoWire));
    const TopoDS_Edge edge = OnlyEdge(circle);
    const Handle(Geom_Circle) curve = CircleOf(edge);
    ASSERT_TRUE(curve);
    EXPECT_DOUBLE_EQ(curve->Radius(), 5.0);
    EXPECT_TRUE(PointNear(curve->Location(), gp_Pnt(1, 2, 3), 1e-12));
    EXPECT_TRUE(curve->Axis().Direction().IsParallel(gp_Dir(0, 0, 1), 1e-12));
    EXPECT_TRUE(BRep_Tool::IsClosed(edge));
    EXPECT_NEAR(Length(edge), 2 * kPi * 5, 1e-9);

    const ShapePtr tilted = KBrepTools::MakeCircle(Vector3::ZERO, 2, Vector3(1, 1, 0));
    ASSERT_TRUE(tilted);
    EXPECT_TRUE(CircleOf(OnlyEdge(tilted))->Axis().Direction().IsParallel(gp_Dir(1, 1, 0), 1e-12));
}

TEST(MakeEllipse, IsAWireOfOneClosedEllipseWithTheRadiiInOrder)
{
    const ShapePtr ellipse = KBrepTools::MakeEllipse(Vector3(0, 0, 1), 3, 2, Vector3::UNIT_Z);
    ASSERT_TRUE(KorrTest::HasKind(ellipse, TopoWire));
    const TopoDS_Edge edge = OnlyEdge(ellipse);
    const Handle(Geom_Ellipse) curve = Handle(Geom_Ellipse)::DownCast(CurveOf(edge).curve);
    ASSERT_TRUE(curve);
    EXPECT_DOUBLE_EQ(curve->MajorRadius(), 3.0);
    EXPECT_DOUBLE_EQ(curve->MinorRadius(), 2.0);
    EXPECT_TRUE(curve->Axis().Direction().IsParallel(gp_Dir(0, 0, 1), 1e-12));
    EXPECT_TRUE(BRep_Tool::IsClosed(edge));

    const ShapePtr round = KBrepTools::MakeEllipse(Vector3::ZERO, 3, 3, Vector3::UNIT_Z);
    ASSERT_TRUE(KorrTest::HasKind(round, TopoWire));
}

TEST(CurveBuilders, RefuseBadRadiiZeroNormalsAndCoincidentOrCollinearPointsSilently)
{
    ReportRecorder recorder;
    EXPECT_FALSE(KBrepTools::MakeLine(Vector3(1, 1, 1), Vector3(1, 1, 1)));
    EXPECT_FALSE(KBrepTools::MakeCircle(Vector3::ZERO, -1, Vector3::UNIT_Z));
    EXPECT_FALSE(KBrepTools::MakeCircle(Vector3::ZERO, 5, Vector3::ZERO));
    EXPECT_FALSE(KBrepTools::MakeEllipse(Vector3::ZERO, 2, 3, Vector3::UNIT_Z)); // major below minor
    EXPECT_FALSE(KBrepTools::MakeEllipse(Vector3::ZERO, 3, -1, Vector3::UNIT_Z));
    EXPECT_FALSE(KBrepTools::MakeEllipse(Vector3::ZERO, 3, 2, Vector3::ZERO));
    EXPECT_FALSE(KBrepTools::MakeArc(Vector3(1, 0, 0), Vector3(1, 0, 0), Vector3::ZERO));
    EXPECT_FALSE(KBrepTools::MakeArc(Vector3(2, 0, 0), Vector3(-2, 0, 0), Vector3::ZERO));
    EXPECT_FALSE(KBrepTools::MakeArc(Vector3(2, 0, 0), Vector3(3, 0, 0), Vector3::ZERO));
    EXPECT_FALSE(KBrepTools::MakeArc(Vector3::ZERO, Vector3(0, 1, 0), Vector3::ZERO)); // start on the centre
    EXPECT_FALSE(KBrepTools::MakeArc3Pts(Vector3(1, 0, 0), Vector3(3, 0, 0), Vector3(2, 0, 0)));
    EXPECT_FALSE(KBrepTools::MakeArc3Pts(Vector3(1, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0)));
    EXPECT_EQ(recorder.count(), 0u);
}

TEST(MakeArc, IsTheShorterArcAboutTheCentreRunningFromEndToStart)
{
    const ShapePtr arc = KBrepTools::MakeArc(Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3::ZERO);
    ASSERT_TRUE(KorrTest::HasKind(arc, TopoEdge));
    const TopoDS_Edge edge = OnlyEdge(arc);
    const Handle(Geom_Circle) circle = CircleOf(edge);
    ASSERT_TRUE(circle);
    EXPECT_DOUBLE_EQ(circle->Radius(), 1.0);
    EXPECT_TRUE(PointNear(circle->Location(), gp_Pnt(0, 0, 0), 0.0));
    // The kernel stores the circle reversed to run the curve from end to start.
    EXPECT_TRUE(circle->Axis().Direction().IsParallel(gp_Dir(0, 0, 1), 1e-12));
    const KorrTest::EdgeCurve curve = CurveOf(edge);
    EXPECT_TRUE(PointNear(curve.Start(), gp_Pnt(0, 1, 0), 1e-12));
    EXPECT_TRUE(PointNear(curve.End(), gp_Pnt(1, 0, 0), 1e-12));
    EXPECT_NEAR(Length(edge), kPi / 2, 1e-9);

    // The end point only gives the direction in which the arc ends.
    const ShapePtr toFarEnd = KBrepTools::MakeArc(Vector3(1, 0, 0), Vector3(0, 5, 0), Vector3::ZERO);
    ASSERT_TRUE(toFarEnd);
    EXPECT_TRUE(PointNear(CurveOf(OnlyEdge(toFarEnd)).Start(), gp_Pnt(0, 1, 0), 1e-12));
}

TEST(MakeArc, MeetsItsStartPointOnLargeCircles)
{
    // A radius that single precision cannot hold: rounding it would move the
    // arc's start by up to 6e-5 here.
    const Vector3 centre(10, 20, 0);
    const Vector3 start = centre + Vector3(700, 714.142842854285, 0.3);
    const Vector3 end = centre + Vector3(-600, 800.1, 0);
    const double radius = (start - centre).length();
    ASSERT_GT(std::abs(static_cast<float>(radius) - radius), 1e-5);
    const ShapePtr arc = KBrepTools::MakeArc(start, end, centre);
    ASSERT_TRUE(arc);
    const TopoDS_Edge edge = OnlyEdge(arc);
    EXPECT_NEAR(CircleOf(edge)->Radius(), radius, 1e-12);
    EXPECT_TRUE(PointNear(CurveOf(edge).End(), ToPoint(start), 1e-7));
}

TEST(MakeArc3Pts, RunsFromStartThroughTheThirdPointToEnd)
{
    const ShapePtr arc = KBrepTools::MakeArc3Pts(Vector3(1, 0, 0), Vector3(-1, 0, 0), Vector3(0, 1, 0));
    ASSERT_TRUE(KorrTest::HasKind(arc, TopoEdge));
    const TopoDS_Edge edge = OnlyEdge(arc);
    const KorrTest::EdgeCurve curve = CurveOf(edge);
    EXPECT_TRUE(PointNear(curve.Start(), gp_Pnt(1, 0, 0), 1e-12));
    EXPECT_TRUE(PointNear(curve.End(), gp_Pnt(-1, 0, 0), 1e-12));
    EXPECT_NEAR(KorrTest::DistanceTo(arc, gp_Pnt(0, 1, 0)), 0.0, 1e-9);
    EXPECT_NEAR(KorrTest::DistanceTo(arc, gp_Pnt(0, -1, 0)), std::sqrt(2.0), 1e-9); // not the other half
    EXPECT_NEAR(CircleOf(edge)->Radius(), 1.0, 1e-12);
    EXPECT_NEAR(Length(edge), kPi, 1e-9);
}
