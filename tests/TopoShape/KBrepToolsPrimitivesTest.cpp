#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"

using namespace KorrCore;
using KMath::Math;
using KMath::Vector3;
using KorrTest::DistanceTo;
using KorrTest::ReportRecorder;

namespace {

constexpr double kPi = Math::PI;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

TEST(MakeSphere, BuildsASolidOfTheGivenRadius)
{
    const ShapePtr sphere = KBrepTools::MakeSphere(Vector3(1, 2, 3), 2);
    ASSERT_TRUE(KorrTest::HasKind(sphere, TopoSolid));
    EXPECT_NEAR(KorrTest::Volume(sphere), 4.0 / 3.0 * kPi * 8, 1e-6);
    EXPECT_TRUE(KorrTest::BoundsNear(sphere, Vector3(-1, 0, 1), Vector3(3, 4, 5), 1e-6));
}

TEST(MakeSphere, RefusesRadiusNotAboveZero)
{
    for (double radius : {0.0, -1.0, kNaN}) {
        ReportRecorder recorder;
        EXPECT_FALSE(KBrepTools::MakeSphere(Vector3::ZERO, radius));
        ASSERT_EQ(recorder.count(), 1u) << radius;
        EXPECT_EQ(recorder.reports()[0].message, "Invalid Radius!");
        EXPECT_EQ(recorder.reports()[0].file, "TopoShape/KBrepTools");
    }
}

TEST(MakeCylinder, IsAShellWhoseSweepFollowsTheAngleInDegrees)
{
    const double fullArea = 2 * kPi * 2 * 5 + 2 * kPi * 4; // lateral face and two caps
    for (double angle : {0.0, 360.0, 400.0, -30.0, kNaN}) {
        const ShapePtr cylinder = KBrepTools::MakeCylinder(Vector3::ZERO, Vector3::UNIT_Z, 2, 5, angle);
        ASSERT_TRUE(cylinder) << angle;
        EXPECT_EQ(cylinder->GetShapeType(), TopoShell);
        EXPECT_EQ(KorrTest::CountDistinct(cylinder, TopAbs_FACE), 3) << angle;
        EXPECT_NEAR(KorrTest::Area(cylinder), fullArea, 1e-6) << angle;
    }

    const ShapePtr quarter = KBrepTools::MakeCylinder(Vector3::ZERO, Vector3::UNIT_Z, 2, 5, 90);
    EXPECT_EQ(KorrTest::CountDistinct(quarter, TopAbs_FACE), 5);
    EXPECT_NEAR(KorrTest::Area(quarter), fullArea / 4 + 2 * 2 * 5, 1e-6);

    const ShapePtr gap = KBrepTools::MakeCylinder(Vector3::ZERO, Vector3::UNIT_Z, 2, 5, 359.9);
    EXPECT_EQ(KorrTest::CountDistinct(gap, TopAbs_FACE), 5);
    EXPECT_LT(KorrTest::Area(gap), fullArea + 2 * 2 * 5);

    // Standing on its base along the axis.
    const ShapePtr standing = KBrepTools::MakeCylinder(Vector3(1, 1, 1), Vector3(0, 3, 0), 2, 5, 0);
    EXPECT_TRUE(KorrTest::BoundsNear(standing, Vector3(-1, 1, -1), Vector3(3, 6, 3), 1e-6));
}

TEST(MakeCylinder, ChecksRadiusBeforeHeightWithEmptyMessages)
{
    ReportRecorder recorder;
    EXPECT_FALSE(KBrepTools::MakeCylinder(Vector3::ZERO, Vector3::UNIT_Z, 1, 0, 0));
    EXPECT_FALSE(KBrepTools::MakeCylinder(Vector3::ZERO, Vector3::UNIT_Z, -1, 0, 0));
    EXPECT_FALSE(KBrepTools::MakeCylinder(Vector3::ZERO, Vector3::UNIT_Z, kNaN, 1, 0));
    ASSERT_EQ(recorder.count(), 3u);
    for (const auto& report : recorder.reports()) {
        EXPECT_EQ(report.message, "");
        EXPECT_EQ(report.file, "TopoShape/KBrepTools");
    }
    // Radius then height: the first two reports come from different checks.
    EXPECT_NE(recorder.reports()[0].line, recorder.reports()[1].line);
    EXPECT_EQ(recorder.reports()[1].line, recorder.reports()[2].line);
}

TEST(MakeCone, RadiiAreAtTheBaseAndAtHeightAlongTheAxisPointedWideningOrRefused)
{
    const Vector3 base(1, 2, 3);
    const Vector3 axis(0, 0, 4);
    const ShapePtr cone = KBrepTools::MakeCone(base, axis, 2, 5, 1, 0);
    ASSERT_TRUE(KorrTest::HasKind(cone, TopoShell));
    // The rims lie on circles of radius 2 at the base and 1 at base + 5 * axis/|axis|.
    EXPECT_NEAR(DistanceTo(cone, gp_Pnt(3, 2, 3)), 0.0, 1e-7);
    EXPECT_NEAR(DistanceTo(cone, gp_Pnt(1, 3, 8)), 0.0, 1e-7);
    EXPECT_TRUE(KorrTest::BoundsNear(cone, Vector3(-1, 0, 3), Vector3(3, 4, 8), 1e-6));

    const ShapePtr pointed = KBrepTools::MakeCone(Vector3::ZERO, Vector3::UNIT_Z, 2, 5, 0, 0);
    EXPECT_EQ(KorrTest::CountDistinct(pointed, TopAbs_FACE), 2);
    const ShapePtr widening = KBrepTools::MakeCone(Vector3::ZERO, Vector3::UNIT_Z, 1, 5, 3, 180);
    ASSERT_TRUE(widening);
    EXPECT_NEAR(widening->GetBBox().getMaximum().x, 3.0, 1e-6);

    ReportRecorder recorder;
    EXPECT_FALSE(KBrepTools::MakeCone(Vector3::ZERO, Vector3::UNIT_Z, 2, 5, 2, 0)); // the kernel refuses equal radii
    EXPECT_EQ(recorder.count(), 0u);
    EXPECT_FALSE(KBrepTools::MakeCone(Vector3::ZERO, Vector3::UNIT_Z, 0, 5, 1, 0));
    EXPECT_FALSE(KBrepTools::MakeCone(Vector3::ZERO, Vector3::UNIT_Z, 2, -5, 1, 0));
    EXPECT_EQ(recorder.messages(), (std::vector<std::string>{"", ""}));
}

TEST(MakeBox, LiesAlongTheAxisSystemWhateverTheDirectionLength)
{
    const ShapePtr unit = KBrepTools::MakeBox(Vector3(1, 1, 1), Vector3(0, 0, 1), Vector3(1, 2, 3));
    const ShapePtr long_ = KBrepTools::MakeBox(Vector3(1, 1, 1), Vector3(0, 0, 7), Vector3(1, 2, 3));
    ASSERT_TRUE(unit);
    EXPECT_EQ(unit->GetShapeType(), TopoSolid);
    EXPECT_NEAR(KorrTest::Volume(unit), 6.0, 1e-9);
    EXPECT_TRUE(KorrTest::BoundsNear(unit, Vector3(1, 1, 1), Vector3(2, 3, 4), 1e-6));
    EXPECT_TRUE(KorrTest::BoundsNear(long_, Vector3(1, 1, 1), Vector3(2, 3, 4), 1e-6));
}

TEST(Primitives, ZeroDirectionsAndRefusedSizesGiveNullWithoutReport)
{
    ReportRecorder recorder;
    EXPECT_FALSE(KBrepTools::MakeCylinder(Vector3::ZERO, Vector3::ZERO, 1, 1, 0));
    EXPECT_FALSE(KBrepTools::MakeCone(Vector3::ZERO, Vector3::ZERO, 2, 1, 1, 0));
    EXPECT_FALSE(KBrepTools::MakeBox(Vector3::ZERO, Vector3::ZERO, Vector3(1, 1, 1)));
    EXPECT_FALSE(KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(0, 1, 1)));
    EXPECT_FALSE(KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(1, -1, 1)));
    EXPECT_EQ(recorder.count(), 0u);
}
