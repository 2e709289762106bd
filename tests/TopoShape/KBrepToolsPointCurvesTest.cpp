#include "support/Checks.h"

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::Is;

TEST(KBrepToolsPointCurves, PolylinesAndPolygonsJoinThePointsSplinesPassThemInOrder)
{
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
    KorrTest::ReportRecorder recorder;
    for (auto build : {&KBrepTools::MakePolyline, &KBrepTools::MakePolygon, &KBrepTools::MakeSpline})
        EXPECT_FALSE(build(square.data(), 1) || build(square.data(), -5) || build(nullptr, 4) || build(same.data(), 3));
    EXPECT_TRUE(!KBrepTools::MakeSpline(repeated.data(), 4) && square == unchanged && recorder.count() == 0);
}
