#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"
#include "support/TestProfiles.h"

using namespace KorrCore;
using KMath::Math;
using KMath::Vector3;
using KorrTest::ReportRecorder;

namespace {

constexpr double kPi = Math::PI;

// A 1 x 1 square in the XZ plane from x = 1 to 2: revolved about Z it sweeps a
// ring of volume angle * (2^2 - 1^2) / 2.
ShapePtr RingProfile()
{
    return KorrTest::PolygonFace({Vector3(1, 0, 0), Vector3(2, 0, 0), Vector3(2, 0, 1), Vector3(1, 0, 1)});
}

double RingVolume(double angle) { return angle * 1.5; }

} // namespace

TEST(Extrude, SweepsAlongDirectionTimesLengthWithoutNormalising)
{
    const ShapePtr square = KorrTest::SquareFace(Vector3::ZERO, 2);
    const ShapePtr prism = KFeatureTools::Extrude(square, 5, Vector3(0, 0, 2));
    ASSERT_TRUE(KorrTest::HasKind(prism, TopoSolid));
    EXPECT_NEAR(KorrTest::Volume(prism), 40.0, 1e-9);
    EXPECT_TRUE(KorrTest::BoundsNear(prism, Vector3(0, 0, 0), Vector3(2, 2, 10), 1e-6));

    const ShapePtr downwards = KFeatureTools::Extrude(square, -3, Vector3::UNIT_Z);
    EXPECT_TRUE(KorrTest::BoundsNear(downwards, Vector3(0, 0, -3), Vector3(2, 2, 0), 1e-6));

    // A wire sweeps into a shell.
    const ShapePtr tube =
        KFeatureTools::Extrude(KorrTest::CircleWire(Vector3::ZERO, 1, Vector3::UNIT_Z), 2, Vector3::UNIT_Z);
    ASSERT_TRUE(KorrTest::HasKind(tube, TopoShell));
    EXPECT_NEAR(KorrTest::Area(tube), 2 * kPi * 2, 1e-9);
}

TEST(Extrude, DegenerateVectorGivesNullNotAnEmptyHandle)
{
    const ShapePtr square = KorrTest::SquareFace(Vector3::ZERO, 1);
    ReportRecorder recorder;
    EXPECT_EQ(KFeatureTools::Extrude(square, 0, Vector3::UNIT_Z), nullptr);
    EXPECT_EQ(KFeatureTools::Extrude(square, 1, Vector3::ZERO), nullptr);
    // The kernel would call a NaN sweep done, leaving a body no query returns from.
    EXPECT_EQ(KFeatureTools::Extrude(square, std::numeric_limits<double>::quiet_NaN(), Vector3::UNIT_Z), nullptr);
    EXPECT_EQ(KFeatureTools::Extrude(square, 1, Vector3(0, std::numeric_limits<double>::infinity(), 1)), nullptr);
    EXPECT_EQ(recorder.count(), 0u);
    EXPECT_FALSE(square->IsNull()); // the profile is left as it was
}

TEST(Revol, AnglesOutsideThePartialRangeGiveTheFullTurn)
{
    for (double angle : {0.0, -1.0, 0.0099, 7.0, std::numeric_limits<double>::quiet_NaN()}) {
        const ShapePtr ring = KFeatureTools::Revol(RingProfile(), Vector3::ZERO, Vector3::UNIT_Z, angle);
        EXPECT_NEAR(KorrTest::Volume(ring), RingVolume(2 * kPi), 1e-6) << angle;
        EXPECT_TRUE(KorrTest::BoundsNear(ring, Vector3(-2, -2, 0), Vector3(2, 2, 1), 1e-6)) << angle;
    }
}

TEST(Revol, AnglesInsideTheRangeAreRadiansBoundsIncluded)
{
    for (double angle : {0.01, kPi / 2, 2 * kPi}) {
        const ShapePtr ring = KFeatureTools::Revol(RingProfile(), Vector3::ZERO, Vector3::UNIT_Z, angle);
        EXPECT_NEAR(KorrTest::Volume(ring), RingVolume(angle), 1e-6) << angle;
    }
    // A quarter turn about an axis through (0, 0, 5), upwards from +X towards +Y.
    const ShapePtr quarter = KFeatureTools::Revol(RingProfile(), Vector3(0, 0, 5), Vector3(0, 0, 3), kPi / 2);
    EXPECT_TRUE(KorrTest::BoundsNear(quarter, Vector3(0, 0, 0), Vector3(2, 2, 1), 1e-6));
}

TEST(Revol, FailuresGiveNullOrAnEmptyHandle)
{
    ReportRecorder recorder;
    EXPECT_EQ(KFeatureTools::Revol(RingProfile(), Vector3::ZERO, Vector3::ZERO, 1.0), nullptr);

    // The kernel declines a profile that crosses the axis without raising: the
    // handle exists but holds nothing.
    const ShapePtr crossing =
        KorrTest::PolygonFace({Vector3(-1, 0, 0), Vector3(1, 0, 0), Vector3(1, 0, 1), Vector3(-1, 0, 1)});
    for (double angle : {1.0, 0.0}) {
        const ShapePtr declined = KFeatureTools::Revol(crossing, Vector3::ZERO, Vector3::UNIT_Z, angle);
        ASSERT_TRUE(declined) << angle;
        EXPECT_TRUE(declined->IsNull()) << angle;
    }
    EXPECT_EQ(recorder.count(), 0u);
}
