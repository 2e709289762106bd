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

TEST(KBrepToolsCurves, CurvesLieWhereAskedArcsRunFromEndToStartOrThroughTheThirdPoint)
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
}
