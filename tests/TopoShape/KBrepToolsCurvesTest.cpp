#include "support/Checks.h"

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::Is;

namespace {

// Where an edge's curve starts and ends, in the curve's own direction.
std::vector<gp_Pnt> CurveEnds(const ShapePtr& edge)
{
    double first = 0, last = 0;
    const Handle(Geom_Curve) curve = BRep_Tool::Curve(TopoDS::Edge(KorrTest::Kernel(edge)), first, last);
    return {curve->Value(first), curve->Value(last)};
}

} // namespace

TEST(KBrepToolsCurves, CurvesLieWhereAskedSplinesPassThePointsAndSegmentEndsRunEvenlyAlongThem)
{
    const double pi = KMath::Math::PI;
    EXPECT_TRUE(Is(KBrepTools::MakeVertex({1, 2, 3}), TopoVertex, 0, {1, 2, 3}, {1, 2, 3}));
    EXPECT_TRUE(
        KorrTest::PointsNear(CurveEnds(KBrepTools::MakeLine({1, 0, 0}, {1, 4, 3})), {{1, 0, 0}, {1, 4, 3}}, 1e-12));
    // A circle or an ellipse is a wire of one closed edge in the plane normal to the axis.
    const ShapePtr circle = KBrepTools::MakeCircle({1, 2, 3}, 5, {0, 0, 7});
    EXPECT_TRUE(Is(circle, TopoWire, 2 * pi * 5, {-4, -3, 3}, {6, 7, 3}));
    EXPECT_TRUE(BRep_Tool::IsClosed(KorrTest::Kernel(KorrTest::EdgesOf(circle).front())));
    EXPECT_NEAR(KorrTest::DistanceTo(KBrepTools::MakeCircle({0, 0, 0}, 2, {1, 1, 0}), {0, 0, 2}), 0, 1e-12);
    EXPECT_NEAR(KorrTest::Size(KBrepTools::MakeFace(KBrepTools::MakeEllipse({0, 0, 1}, 3, 2, {0, 0, 1}))), pi * 6,
                1e-9);
    EXPECT_TRUE(KBrepTools::MakeEllipse({0, 0, 0}, 3, 3, {0, 0, 1}));
    // The end point gives only the direction in which the arc ends.
    const ShapePtr arc = KBrepTools::MakeArc({1, 0, 0}, {0, 5, 0}, {0, 0, 0});
    EXPECT_TRUE(Is(arc, TopoEdge, pi / 2, {0, 0, 0}, {1, 1, 0}));
    EXPECT_TRUE(KorrTest::PointsNear(CurveEnds(arc), {{0, 1, 0}, {1, 0, 0}}, 1e-12));
    // A radius single precision cannot hold would move the start by up to 6e-5 here.
    const Vector3 centre(10, 20, 0), start = centre + Vector3(700, 714.142842854285, 0.3);
    const ShapePtr large = KBrepTools::MakeArc(start, centre + Vector3(-600, 800.1, 0), centre);
    EXPECT_TRUE(large && CurveEnds(large)[1].Distance(gp_Pnt(start.x, start.y, start.z)) < 1e-7);
    const ShapePtr through = KBrepTools::MakeArc3Pts({1, 0, 0}, {-1, 0, 0}, {0, 1, 0});
    EXPECT_TRUE(Is(through, TopoEdge, pi, {-1, 0, 0}, {1, 1, 0}));
    EXPECT_TRUE(KorrTest::PointsNear(CurveEnds(through), {{1, 0, 0}, {-1, 0, 0}}, 1e-12));
    // Bad radii, zero normals and coincident or collinear points give null silently.
    KorrTest::ReportRecorder recorder;
    const Vector3 o = Vector3::ZERO, x(1, 0, 0), y(0, 1, 0), z = Vector3::UNIT_Z;
    for (const ShapePtr& shape :
         {KBrepTools::MakeLine(x, x), KBrepTools::MakeCircle(o, -1, z), KBrepTools::MakeCircle(o, 5, o),
          KBrepTools::MakeEllipse(o, 2, 3, z), KBrepTools::MakeEllipse(o, 3, -1, z),
          KBrepTools::MakeEllipse(o, 3, 2, o), KBrepTools::MakeArc(x, x, o), KBrepTools::MakeArc(x * 2, x * -2, o),
          KBrepTools::MakeArc(x * 2, x * 3, o), KBrepTools::MakeArc(o, y, o), KBrepTools::MakeArc3Pts(x, x * 3, x * 2),
          KBrepTools::MakeArc3Pts(x, x, y)})
        EXPECT_FALSE(shape);
    EXPECT_EQ(recorder.count(), 0u);
    // Polylines and polygons join the points; splines pass them in order.
    std::vector<Vector3> square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    const ShapePtr open = KBrepTools::MakePolyline(square.data(), 4),
                   closed = KBrepTools::MakePolygon(square.data(), 4);
    EXPECT_TRUE(Is(open, TopoWire, 3, {0, 0, 0}, {1, 1, 0}));
    EXPECT_TRUE(KorrTest::PointsNear(KorrTest::VertexPoints(open), {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, 0));
    EXPECT_TRUE(Is(closed, TopoWire, 4, {0, 0, 0}, {1, 1, 0}) && BRep_Tool::IsClosed(KorrTest::Kernel(closed)));
    // A point equal to the one before it is skipped, or refused by the spline.
    std::vector<Vector3> repeated = {{0, 0, 0}, {0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
    EXPECT_TRUE(Is(KBrepTools::MakePolygon(repeated.data(), 4), TopoWire, 2 + std::sqrt(2.0), {0, 0, 0}, {1, 1, 0}));
    // First and last close together: the spline still does not close, and passes every point in order.
    std::vector<Vector3> points = {{0, 0, 0}, {2, 1, 0}, {1, 3, 1}, {0, 0.01, 0}};
    const ShapePtr spline = KBrepTools::MakeSpline(points.data(), 4);
    ASSERT_TRUE(KorrTest::HasKind(spline, TopoEdge) && !BRep_Tool::IsClosed(KorrTest::Kernel(spline)));
    EXPECT_TRUE(KorrTest::PointsNear(KorrTest::VertexPoints(spline), {{0, 0, 0}, {0, 0.01, 0}}, 1e-12));
    for (const Vector3& point : points)
        EXPECT_LT(KorrTest::DistanceTo(spline, point), 1e-9);
    // Too few or coincident points, or no array, give null silently, and no point changes.
    const std::vector<Vector3> unchanged = square;
    std::vector<Vector3> same(3, Vector3(2, 2, 2));
    KorrTest::ReportRecorder silently;
    for (auto build : {&KBrepTools::MakePolyline, &KBrepTools::MakePolygon, &KBrepTools::MakeSpline})
        EXPECT_FALSE(build(square.data(), 1) || build(square.data(), -5) || build(nullptr, 4) || build(same.data(), 3));
    EXPECT_TRUE(!KBrepTools::MakeSpline(repeated.data(), 4) && square == unchanged && silently.count() == 0);
    // Segment ends run evenly along the spline through the points, or not at all.
    // Chord-length parameters on equally spaced collinear points run evenly along the line.
    std::vector<Vector3> ends(100, Vector3(7, 7, 7));
    ASSERT_TRUE(KCurveTools::SplineToSegments({{0, 0, 0}, {1, 2, 2}, {2, 4, 4}, {3, 6, 6}}, 6, ends));
    ASSERT_EQ(ends.size(), 7u);
    for (std::size_t i = 0; i < ends.size(); ++i)
        EXPECT_LT((ends[i] - Vector3(0.5, 1, 1) * static_cast<double>(i)).length(), 1e-9) << i;
    // Two segments of a bend: from the first point to the last, on the spline MakeSpline builds.
    std::vector<Vector3> bend = {{0, 0, 0}, {1, 1, 0}, {2, 0, 0}};
    ASSERT_TRUE(KCurveTools::SplineToSegments(bend, 2, ends));
    EXPECT_TRUE(ends.size() == 3 && ends.front() == bend.front() && (ends.back() - bend.back()).length() < 1e-12);
    for (const Vector3& end : ends)
        EXPECT_LT(KorrTest::DistanceTo(KBrepTools::MakeSpline(bend.data(), 3), end), 1e-9);
    // Fewer than three points or two segments, or a fit the kernel refuses, leave the output.
    EXPECT_FALSE(KCurveTools::SplineToSegments({{0, 0, 0}, {1, 0, 0}}, 10, ends) ||
                 KCurveTools::SplineToSegments(bend, 1, ends) || KCurveTools::SplineToSegments(bend, -3, ends) ||
                 KCurveTools::SplineToSegments({{0, 0, 0}, {1, 1, 0}, {1, 1, 0}}, 4, ends));
    EXPECT_EQ(ends.size(), 3u);
}
