#include <KorrGeomCore/KorrGeomCore.h>

#include <TopExp.hxx>
#include <TopTools_IndexedDataMapOfShapeListOfShape.hxx>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "support/CurveChecks.h"
#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::CountDistinct;
using KorrTest::ReportRecorder;
using KorrTest::SamePointsNear;
using KorrTest::VertexPoints;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Edges bounded by one face only: the open rims of a shell.
int FreeEdgeCount(const ShapePtr& shape)
{
    TopTools_IndexedDataMapOfShapeListOfShape facesOfEdge;
    TopExp::MapShapesAndUniqueAncestors(KorrTest::Kernel(shape), TopAbs_EDGE, TopAbs_FACE, facesOfEdge);
    int free = 0;
    for (int i = 1; i <= facesOfEdge.Extent(); ++i)
        free += facesOfEdge(i).Extent() == 1 ? 1 : 0;
    return free;
}

// The points followed by the same points moved by the offset.
std::vector<gp_Pnt> WithTranslated(const std::vector<gp_Pnt>& points, const gp_Vec& offset)
{
    std::vector<gp_Pnt> both = points;
    for (const gp_Pnt& point : points)
        both.push_back(point.Translated(offset));
    return both;
}

// The road of width 8 from the origin 20 along +Y, edges 0.5 and crown 0.7 high.
ShapePtr Road(bool solid)
{
    return KBrepToolsEx::MakeRoad(Vector3::ZERO, Vector3(0, 20, 0), 8, 0.5, 0.7, solid);
}

// Its cross-section at the start, swept to the end.
std::vector<gp_Pnt> RoadCorners()
{
    return WithTranslated({gp_Pnt(-4, 0, 0), gp_Pnt(4, 0, 0), gp_Pnt(4, 0, 0.5), gp_Pnt(0, 0, 0.7), gp_Pnt(-4, 0, 0.5)},
                          gp_Vec(0, 20, 0));
}

// Two triangles of the unit square, sharing its diagonal.
std::vector<Vector3> SquareTriangles()
{
    return {Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(1, 1, 0), Vector3(0, 0, 0), Vector3(1, 1, 0), Vector3(0, 1, 0)};
}

ShapePtr MeshShell(std::vector<Vector3> vertices)
{
    return KBrepToolsEx::MakeMeshShell(vertices.data(), static_cast<int>(vertices.size()));
}

} // namespace

TEST(KBrepToolsExMakeBox, OccupiesTheBoxCentredOnTheSegmentAndRisingFromIt)
{
    const ShapePtr box = KBrepToolsEx::MakeBox(Vector3(0, 0, 0), Vector3(10, 0, 0), 2, 3);
    ASSERT_TRUE(KorrTest::HasKind(box, TopoSolid));
    EXPECT_TRUE(KorrTest::IsValid(box));
    EXPECT_NEAR(KorrTest::Volume(box), 60.0, 1e-9);
    EXPECT_TRUE(KorrTest::BoundsNear(box, Vector3(0, -1, 0), Vector3(10, 1, 3), 1e-6));

    // Along a level diagonal at height 5: (0.6, 0.8) along, (-0.8, 0.6) across.
    const ShapePtr diagonal = KBrepToolsEx::MakeBox(Vector3(1, 2, 5), Vector3(7, 10, 5), 4, 2);
    EXPECT_NEAR(KorrTest::Volume(diagonal), 10.0 * 4 * 2, 1e-9);
    const std::vector<gp_Pnt> base{gp_Pnt(-0.6, 3.2, 5), gp_Pnt(2.6, 0.8, 5), gp_Pnt(8.6, 8.8, 5),
                                   gp_Pnt(5.4, 11.2, 5)};
    EXPECT_TRUE(SamePointsNear(VertexPoints(diagonal), WithTranslated(base, gp_Vec(0, 0, 2)), 1e-9));
}

TEST(KBrepToolsExMakeRoad, SolidAndOpenFormHaveTheCrownedCrossSectionAlongTheSegment)
{
    const ShapePtr road = Road(true);
    ASSERT_TRUE(KorrTest::HasKind(road, TopoSolid));
    EXPECT_TRUE(KorrTest::IsValid(road));
    EXPECT_TRUE(SamePointsNear(VertexPoints(road), RoadCorners(), 1e-9));
    // A 8 x 0.5 slab under a ridge 0.2 high, 20 long.
    EXPECT_NEAR(KorrTest::Volume(road), (8 * 0.5 + 8 * 0.2 / 2) * 20, 1e-9);
    EXPECT_EQ(CountDistinct(road, TopAbs_FACE), 7);
    EXPECT_EQ(FreeEdgeCount(road), 0);

    // Equal heights: a flat top over a rectangular section.
    const ShapePtr flat = KBrepToolsEx::MakeRoad(Vector3::ZERO, Vector3(0, 20, 0), 8, 0.5, 0.5, true);
    EXPECT_NEAR(KorrTest::Volume(flat), 8 * 0.5 * 20, 1e-9);
    EXPECT_TRUE(KorrTest::BoundsNear(flat, Vector3(-4, 0, 0), Vector3(4, 20, 0.5), 1e-6));

    // The open form has the side faces only.
    const ShapePtr sides = Road(false);
    ASSERT_TRUE(KorrTest::HasKind(sides, TopoShell));
    EXPECT_TRUE(SamePointsNear(VertexPoints(sides), RoadCorners(), 1e-9));
    EXPECT_EQ(CountDistinct(sides, TopAbs_FACE), 5);
    // Both ends stay open: each of their five edges bounds one side face only.
    EXPECT_EQ(FreeEdgeCount(sides), 10);
    const double perimeter = 8 + 2 * 0.5 + 2 * std::hypot(4, 0.2);
    EXPECT_NEAR(KorrTest::Area(sides), perimeter * 20, 1e-9);
}

TEST(KBrepToolsExSegments, TooShortOrCollapsedSegmentsGiveNullWithoutReport)
{
    ReportRecorder recorder;
    const Vector3 start(1, 1, 1);
    for (const Vector3& end : {start + Vector3(0.005, 0, 0), start, Vector3(kNaN, 1, 1), Vector3(kInfinity, 1, 1),
                               start + Vector3(0, 0, 10)}) {
        EXPECT_FALSE(KBrepToolsEx::MakeBox(start, end, 2, 3));
        EXPECT_FALSE(KBrepToolsEx::MakeRoad(start, end, 2, 0.5, 0.7, true));
        EXPECT_FALSE(KBrepToolsEx::MakeRoad(start, end, 2, 0.5, 0.7, false));
    }
    // No width across the segment: the kernel would sweep a flat outline into a
    // body of no volume.
    for (double width : {0.0, kNaN, kInfinity}) {
        EXPECT_FALSE(KBrepToolsEx::MakeBox(Vector3::ZERO, Vector3(10, 0, 0), width, 3));
        EXPECT_FALSE(KBrepToolsEx::MakeRoad(Vector3::ZERO, Vector3(10, 0, 0), width, 0.5, 0.7, true));
    }
    EXPECT_EQ(recorder.count(), 0u);

    for (double length : {0.01, 0.02}) {
        const ShapePtr box = KBrepToolsEx::MakeBox(Vector3::ZERO, Vector3(length, 0, 0), 2, 3);
        EXPECT_NEAR(KorrTest::Volume(box), length * 2 * 3, 1e-12);
        const ShapePtr road = KBrepToolsEx::MakeRoad(Vector3::ZERO, Vector3(0, length, 0), 2, 0.5, 0.5, true);
        EXPECT_NEAR(KorrTest::Volume(road), length * 2 * 0.5, 1e-12);
    }
}

TEST(KBrepToolsExSegments, CrossSectionsTheKernelCannotMakeAreReported)
{
    ReportRecorder recorder;
    // Corners beyond the magnitudes the library hands to the kernel.
    EXPECT_FALSE(KBrepToolsEx::MakeBox(Vector3::ZERO, Vector3(10, 0, 0), 1e120, 3));
    EXPECT_FALSE(KBrepToolsEx::MakeBox(Vector3::ZERO, Vector3(10, 0, 0), 8e99, 3));
    // A corner that is not a number cannot be drawn, in either form.
    EXPECT_FALSE(KBrepToolsEx::MakeRoad(Vector3::ZERO, Vector3(10, 0, 0), 2, kNaN, 0.7, true));
    EXPECT_FALSE(KBrepToolsEx::MakeRoad(Vector3::ZERO, Vector3(10, 0, 0), 2, kNaN, 0.7, false));
    EXPECT_EQ(recorder.messages(),
              (std::vector<std::string>{"Failed to make polygon", "Failed to make polygon", "Failed to create outline!",
                                        "Failed to create outline!"}));
    for (const KorrTest::Report& report : recorder.reports())
        EXPECT_EQ(report.file, "TopoShape/KBrepToolsEx");

    // The box passes a failed sweep on silently, for a height it cannot sweep by.
    EXPECT_FALSE(KBrepToolsEx::MakeBox(Vector3::ZERO, Vector3(10, 0, 0), 2, 0));
    EXPECT_FALSE(KBrepToolsEx::MakeBox(Vector3::ZERO, Vector3(10, 0, 0), 2, kNaN));
    EXPECT_EQ(recorder.count(), 4u);
}

TEST(KBrepToolsExMakeMeshShell, OneUnsewnFacePerTriangle)
{
    const std::vector<Vector3> vertices = SquareTriangles();
    const ShapePtr shell = MeshShell(vertices);
    ASSERT_TRUE(KorrTest::HasKind(shell, TopoShell));
    EXPECT_EQ(CountDistinct(shell, TopAbs_FACE), 2);
    EXPECT_NEAR(KorrTest::Area(shell), 1.0, 1e-12);
    // The shared diagonal and its corners are not merged.
    EXPECT_EQ(CountDistinct(shell, TopAbs_EDGE), 6);
    std::vector<gp_Pnt> corners;
    for (const Vector3& vertex : vertices)
        corners.push_back(KorrTest::ToPoint(vertex));
    EXPECT_TRUE(SamePointsNear(VertexPoints(shell), corners, 1e-12));
}

TEST(KBrepToolsExMakeMeshShell, CountMustBeAMultipleOfThree)
{
    std::vector<Vector3> vertices = SquareTriangles();
    ReportRecorder recorder;
    for (int count : {7, 5, -4})
        EXPECT_FALSE(KBrepToolsEx::MakeMeshShell(vertices.data(), count)) << count;
    EXPECT_EQ(recorder.messages(), std::vector<std::string>(3, "Invalid vertex count!"));
    EXPECT_EQ(recorder.reports()[0].file, "TopoShape/KBrepToolsEx");

    // No triangles at all: an empty shell, whether the array is there or not.
    for (const ShapePtr& empty :
         {KBrepToolsEx::MakeMeshShell(vertices.data(), 0), KBrepToolsEx::MakeMeshShell(vertices.data(), -3),
          KBrepToolsEx::MakeMeshShell(nullptr, 0)}) {
        ASSERT_TRUE(KorrTest::HasKind(empty, TopoShell));
        EXPECT_EQ(CountDistinct(empty, TopAbs_FACE), 0);
    }
    EXPECT_FALSE(KBrepToolsEx::MakeMeshShell(nullptr, 6));
    EXPECT_EQ(recorder.count(), 3u);
}

TEST(KBrepToolsExMakeMeshShell, CoincidentOrUnrepresentableCornersFailTheCall)
{
    ReportRecorder recorder;
    // A corner that is not a number is refused before the kernel sees it,
    // which ends the call like any other failure while building.
    std::vector<Vector3> vertices = SquareTriangles();
    vertices.insert(vertices.begin() + 3, {Vector3(kNaN, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0)});
    EXPECT_FALSE(MeshShell(vertices));

    // A triangle shrunk to one point makes the kernel raise: nothing is kept.
    vertices = SquareTriangles();
    vertices.insert(vertices.end(), 3, Vector3(2, 2, 2));
    EXPECT_FALSE(MeshShell(vertices));

    // Infinite corners make the kernel raise; near infinity it would never
    // return from making the face.
    for (double far : {kInfinity, 8e99}) {
        vertices = SquareTriangles();
        vertices.insert(vertices.end(), {Vector3(50, far, -80), Vector3(0, 0, 0), Vector3(0, 0, 0)});
        EXPECT_FALSE(MeshShell(vertices)) << far;
    }
    EXPECT_EQ(recorder.count(), 0u);
}
