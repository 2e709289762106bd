#include <KorrGeomCore/KorrGeomCore.h>

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRep_Tool.hxx>
#include <Standard_Failure.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>
#include <gp_Circ.hxx>
#include <gp_Trsf.hxx>
#include <gtest/gtest.h>

#include <cmath>

#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::Holding;
using KorrTest::Kernel;
using KorrTest::ReportRecorder;

namespace {

constexpr double kRadius = 10;
const gp_Pnt kCentre(1, 2, 3);

// A full circle of radius 10 about (1, 2, 3) in a plane tilted off the axes.
ShapePtr Circle()
{
    return Holding(BRepBuilderAPI_MakeEdge(gp_Circ(gp_Ax2(kCentre, gp_Dir(1, 1, 1)), kRadius)).Edge());
}

// A quarter arc, so that the first and last points differ.
ShapePtr Arc() { return Holding(BRepBuilderAPI_MakeEdge(gp_Circ(gp_Ax2(kCentre, gp::DZ()), kRadius), 0, M_PI / 2)); }

std::vector<float> Sampled(const ShapePtr& edge, double deflection)
{
    std::vector<float> points;
    EXPECT_TRUE(KTopoEdgeExplor::Explor(edge, &points, deflection));
    EXPECT_EQ(points.size() % 3, 0u);
    return points;
}

gp_Pnt Point(const std::vector<float>& points, std::size_t i)
{
    return gp_Pnt(points[3 * i], points[3 * i + 1], points[3 * i + 2]);
}

// The largest distance of a chord's midpoint from the circle: how far the
// polyline strays from the curve.
double LargestSag(const std::vector<float>& points, const gp_Pnt& centre)
{
    double sag = 0;
    for (std::size_t i = 0; i + 1 < points.size() / 3; ++i) {
        const gp_Pnt middle = Point(points, i).Translated(gp_Vec(Point(points, i), Point(points, i + 1)) / 2);
        sag = std::max(sag, kRadius - middle.Distance(centre));
    }
    return sag;
}

} // namespace

TEST(EdgeSampling, CirclePointsLieOnTheCircleAndFinerDeflectionGivesMore)
{
    const ShapePtr circle = Circle();
    const std::vector<float> coarse = Sampled(circle, 1);
    const std::vector<float> fine = Sampled(circle, 0.001);
    EXPECT_GT(coarse.size(), 3 * 4u);
    EXPECT_GT(fine.size(), 4 * coarse.size());
    for (const std::vector<float>* points : {&coarse, &fine}) {
        for (std::size_t i = 0; i < points->size() / 3; ++i)
            EXPECT_NEAR(Point(*points, i).Distance(kCentre), kRadius, 1e-5);
        // Closed: the polyline ends where it starts.
        EXPECT_LT(Point(*points, 0).Distance(Point(*points, points->size() / 3 - 1)), 1e-5);
    }
    EXPECT_LE(LargestSag(coarse, kCentre), 1 + 1e-6);
    EXPECT_LE(LargestSag(fine, kCentre), 0.001 + 1e-5);
}

TEST(EdgeSampling, ArcRunsTheSameWayReversedMovesWithItsLocationAndFillsTheBufferExactly)
{
    const ShapePtr arc = Arc();
    const std::vector<float> forward = Sampled(arc, 0.01);
    EXPECT_LT(Point(forward, 0).Distance(gp_Pnt(11, 2, 3)), 1e-5);
    EXPECT_LT(Point(forward, forward.size() / 3 - 1).Distance(gp_Pnt(1, 12, 3)), 1e-5);
    EXPECT_EQ(Sampled(Holding(Kernel(arc).Reversed()), 0.01), forward);

    gp_Trsf move;
    move.SetRotation(gp::OZ(), M_PI / 2);
    move.SetTranslationPart(gp_Vec(0, 0, 5));
    const std::vector<float> moved = Sampled(Holding(Kernel(arc).Moved(TopLoc_Location(move))), 0.01);
    ASSERT_EQ(moved.size(), forward.size());
    for (std::size_t i = 0; i < forward.size() / 3; ++i)
        EXPECT_LT(Point(moved, i).Distance(Point(forward, i).Transformed(move)), 1e-5);

    std::vector<float> longer(10000, 7.0f);
    ASSERT_TRUE(KTopoEdgeExplor::Explor(arc, &longer, 0.01));
    EXPECT_EQ(longer, forward);
}

TEST(EdgeSampling, EdgeWithoutACurveOrWithoutAShapeGivesFalseAndAFaceRaises)
{
    // A sphere's poles are degenerated edges: no 3D curve.
    const ShapePtr sphere = KBrepTools::MakeSphere(Vector3::ZERO, 1);
    ShapeList edges;
    ASSERT_TRUE(KTopoEdgeExplor::Explor(sphere, edges));
    std::size_t withoutCurve = 0;
    ReportRecorder recorder;
    const std::vector<float> untouched{1, 2, 3};
    std::vector<float> points = untouched;
    for (const ShapePtr& edge : edges) {
        if (BRep_Tool::Degenerated(TopoDS::Edge(Kernel(edge)))) {
            ++withoutCurve;
            EXPECT_FALSE(KTopoEdgeExplor::Explor(edge, &points, 0.1));
        }
    }
    EXPECT_EQ(withoutCurve, 2u);
    EXPECT_FALSE(KTopoEdgeExplor::Explor(ShapePtr(), &points, 0.1));
    EXPECT_FALSE(KTopoEdgeExplor::Explor(std::make_shared<KTopoShape>(), &points, 0.1));
    EXPECT_FALSE(KTopoEdgeExplor::Explor(Arc(), nullptr, 0.1));
    EXPECT_EQ(recorder.count(), 0u);

    try {
        KTopoEdgeExplor::Explor(KorrTest::FacesOf(sphere).front(), &points, 0.1);
        ADD_FAILURE() << "no exception";
    } catch (const Standard_TypeMismatch& mismatch) {
        EXPECT_STREQ(mismatch.GetMessageString(), "TopoDS::Edge");
    }
    EXPECT_EQ(points, untouched);
}

TEST(EdgeSampling, DeflectionFinerThanTheCoordinatesResolveIsRefused)
{
    const ShapePtr farCircle = KBrepTools::MakeCircle(Vector3(0, 0, 1e11), 1, Vector3::UNIT_Z);
    ShapeList edges;
    ASSERT_TRUE(KTopoEdgeExplor::Explor(farCircle, edges));
    std::vector<float> points{1, 2, 3};
    EXPECT_FALSE(KTopoEdgeExplor::Explor(edges.front(), &points, 1e-3));
    EXPECT_FALSE(KTopoEdgeExplor::Explor(edges.front(), &points, std::nan("")));
    EXPECT_EQ(points, (std::vector<float>{1, 2, 3}));
    EXPECT_TRUE(KTopoEdgeExplor::Explor(edges.front(), &points, 1));
}
