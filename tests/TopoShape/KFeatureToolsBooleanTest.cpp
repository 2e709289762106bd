#include <KorrGeomCore/KorrGeomCore.h>

#include <BRep_Tool.hxx>
#include <TopExp_Explorer.hxx>
#include <gtest/gtest.h>


#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"
#include "support/TestProfiles.h"

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::Kernel;
using KorrTest::ReportRecorder;

namespace {

ShapePtr Box(const Vector3& corner, const Vector3& size) { return KBrepTools::MakeBox(corner, Vector3::UNIT_Z, size); }

// Two 10-cubes overlapping in a 5 x 10 x 10 slab.
ShapePtr LeftCube() { return Box(Vector3(0, 0, 0), Vector3(10, 10, 10)); }
ShapePtr RightCube() { return Box(Vector3(5, 0, 0), Vector3(10, 10, 10)); }

// A large square through the point, at right angles to the normal.
ShapePtr PlaneThrough(const Vector3& point, const Vector3& normal)
{
    Vector3 u = normal.crossProduct(std::abs(normal.x) < 0.9 ? Vector3::UNIT_X : Vector3::UNIT_Y);
    u.normalise();
    Vector3 v = normal.crossProduct(u);
    v.normalise();
    const double half = 50;
    return KorrTest::PolygonFace({point - u * half - v * half, point + u * half - v * half,
                                  point + u * half + v * half, point - u * half + v * half});
}

// Every edge of the wire lies on both shapes.
::testing::AssertionResult LiesOnBoth(const ShapePtr& wire, const ShapePtr& first, const ShapePtr& second)
{
    for (TopExp_Explorer edge(Kernel(wire), TopAbs_EDGE); edge.More(); edge.Next()) {
        const double toFirst = KorrTest::DistanceBetween(edge.Current(), Kernel(first));
        const double toSecond = KorrTest::DistanceBetween(edge.Current(), Kernel(second));
        if (toFirst > 1e-6 || toSecond > 1e-6)
            return ::testing::AssertionFailure() << "edge off the shapes by " << toFirst << " and " << toSecond;
    }
    return ::testing::AssertionSuccess();
}

// Found by fuzzing: the kernel's common of a solid whose two shells share one
// disc face with a circle leaked its intermediate data.
ShapePtr SolidOfTwoShellsSharingAFace()
{
    const ShapePtr disc = KBrepTools::MakeFace(KBrepTools::MakeCircle(Vector3(10, 10, 10), 10, Vector3::UNIT_X));
    return KBrepTools::MakeSolid({disc, disc});
}

} // namespace

TEST(Boolean, FuseCommonAndCutOfOverlappingCubes)
{
    const ShapePtr left = LeftCube(), right = RightCube();

    const ShapePtr fused = KFeatureTools::Boolean(left, right, BooleanFuse);
    EXPECT_NEAR(KorrTest::Volume(fused), 1500.0, 1e-6);
    EXPECT_TRUE(KorrTest::BoundsNear(fused, Vector3(0, 0, 0), Vector3(15, 10, 10), 1e-6));

    const ShapePtr common = KFeatureTools::Boolean(left, right, BooleanCommon);
    EXPECT_NEAR(KorrTest::Volume(common), 500.0, 1e-6);
    EXPECT_TRUE(KorrTest::BoundsNear(common, Vector3(5, 0, 0), Vector3(10, 10, 10), 1e-6));

    // The cut removes the second shape from the first; swapped, the other side remains.
    const ShapePtr leftPart = KFeatureTools::Boolean(left, right, BooleanCut);
    const ShapePtr rightPart = KFeatureTools::Boolean(right, left, BooleanCut);
    EXPECT_NEAR(KorrTest::Volume(leftPart), 500.0, 1e-6);
    EXPECT_TRUE(KorrTest::BoundsNear(leftPart, Vector3(0, 0, 0), Vector3(5, 10, 10), 1e-6));
    EXPECT_TRUE(KorrTest::BoundsNear(rightPart, Vector3(10, 0, 0), Vector3(15, 10, 10), 1e-6));

    // The operands are left as they were.
    EXPECT_NEAR(KorrTest::Volume(left), 1000.0, 1e-6);
    EXPECT_NEAR(KorrTest::Volume(right), 1000.0, 1e-6);
}

TEST(Boolean, EmptyResultIsWrappedAsAnEmptyCompound)
{
    const ShapePtr common =
        KFeatureTools::Boolean(LeftCube(), Box(Vector3(20, 20, 20), Vector3(1, 1, 1)), BooleanCommon);
    ASSERT_TRUE(common);
    ASSERT_FALSE(common->IsNull());
    EXPECT_EQ(common->GetShapeType(), TopoCompound);
    EXPECT_EQ(KorrTest::CountDistinct(common, TopAbs_SOLID), 0);
    EXPECT_EQ(KorrTest::CountDistinct(common, TopAbs_FACE), 0);
}

TEST(Boolean, InvalidOperationIsReportedOnce)
{
    for (int value : {3, -1}) {
        ReportRecorder recorder;
        EXPECT_EQ(KFeatureTools::Boolean(LeftCube(), RightCube(), static_cast<KBooleanOp>(value)), nullptr);
        EXPECT_EQ(recorder.messages(), std::vector<std::string>{"Invalid Boolean type!"}) << value;
        EXPECT_EQ(recorder.reports()[0].file, "TopoShape/KFeatureTools");
    }
}

TEST(SurfaceSection, PlaneThroughABoxGivesOneClosedWireOnBothShapes)
{
    const ShapePtr box = LeftCube();
    const ShapePtr level = PlaneThrough(Vector3(5, 5, 5), Vector3::UNIT_Z);
    const ShapePtr square = KFeatureTools::SurfaceSection(box, level);
    ASSERT_TRUE(KorrTest::HasKind(square, TopoWire));
    EXPECT_EQ(KorrTest::CountDistinct(square, TopAbs_EDGE), 4);
    EXPECT_TRUE(BRep_Tool::IsClosed(Kernel(square)));
    EXPECT_TRUE(LiesOnBoth(square, box, level));

    // The slanted plane cuts a hexagon whose edges the section lists out of
    // order: all six must still end up in the one wire.
    const ShapePtr slanted = PlaneThrough(Vector3(5, 5, 5), Vector3(1, 1, 1));
    const ShapePtr hexagon = KFeatureTools::SurfaceSection(box, slanted);
    ASSERT_TRUE(hexagon);
    EXPECT_EQ(KorrTest::CountDistinct(hexagon, TopAbs_EDGE), 6);
    EXPECT_TRUE(BRep_Tool::IsClosed(Kernel(hexagon)));
    EXPECT_TRUE(LiesOnBoth(hexagon, box, slanted));
}

TEST(SurfaceSection, NoCommonCurveOrSeveralLoopsGiveNull)
{
    ReportRecorder recorder;
    EXPECT_EQ(KFeatureTools::SurfaceSection(LeftCube(), Box(Vector3(20, 20, 20), Vector3(1, 1, 1))), nullptr);
    // A cylinder through two opposite faces meets the box in two separate circles.
    const ShapePtr cylinder = KBrepTools::MakeCylinder(Vector3(5, 5, -5), Vector3::UNIT_Z, 2, 20, 0);
    EXPECT_EQ(KFeatureTools::SurfaceSection(LeftCube(), cylinder), nullptr);
    EXPECT_EQ(recorder.count(), 0u);
}

TEST(Boolean, InvalidOperandsAreRefusedBeforeTheKernelRuns)
{
    const ShapePtr brokenSolid = SolidOfTwoShellsSharingAFace();
    ASSERT_TRUE(brokenSolid);
    ASSERT_FALSE(KorrTest::IsValid(brokenSolid));
    const ShapePtr otherCircle = KBrepTools::MakeCircle(Vector3(10, 10, 10), 5, Vector3::UNIT_Z);
    for (KBooleanOp operation : {BooleanFuse, BooleanCommon, BooleanCut})
        EXPECT_FALSE(KFeatureTools::Boolean(brokenSolid, otherCircle, operation));
    EXPECT_FALSE(KFeatureTools::SurfaceSection(brokenSolid, LeftCube()));
    // The valid disc still takes part.
    const ShapePtr disc = KBrepTools::MakeFace(KBrepTools::MakeCircle(Vector3(10, 10, 10), 10, Vector3::UNIT_X));
    EXPECT_TRUE(KFeatureTools::Boolean(disc, otherCircle, BooleanCommon));
}
