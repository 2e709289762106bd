#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include <cmath>

#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"
#include "support/TestProfiles.h"

using namespace KorrCore;
using KMath::Math;
using KMath::Vector3;
using KorrTest::CircleEdge;
using KorrTest::CircleWire;
using KorrTest::ReportRecorder;

namespace {

constexpr double kPi = Math::PI;

// The frustum through circles of radius 1 at z = 0 and radius 2 at z = 3.
constexpr double kFrustumVolume = kPi * 3 / 3 * (1 + 2 + 4);

} // namespace

TEST(MakeLoft, TwoCirclesGiveAFrustumSolidOrShell)
{
    const ShapeList edges{CircleEdge(Vector3::ZERO, 1, Vector3::UNIT_Z),
                          CircleEdge(Vector3(0, 0, 3), 2, Vector3::UNIT_Z)};
    const ShapePtr solid = KFeatureTools::MakeLoft(edges, true);
    ASSERT_TRUE(KorrTest::HasKind(solid, TopoSolid));
    EXPECT_TRUE(KorrTest::IsValid(solid));
    EXPECT_NEAR(KorrTest::Volume(solid), kFrustumVolume, 1e-4);
    EXPECT_TRUE(KorrTest::BoundsNear(solid, Vector3(-2, -2, 0), Vector3(2, 2, 3), 1e-4));

    const ShapeList wires{CircleWire(Vector3::ZERO, 1, Vector3::UNIT_Z),
                          CircleWire(Vector3(0, 0, 3), 2, Vector3::UNIT_Z)};
    const ShapePtr shell = KFeatureTools::MakeLoft(wires, false);
    ASSERT_TRUE(KorrTest::HasKind(shell, TopoShell));
    EXPECT_EQ(KorrTest::CountDistinct(shell, TopAbs_FACE), 1);
    // The lateral area of the frustum: pi * (r1 + r2) * slant height.
    EXPECT_NEAR(KorrTest::Area(shell), kPi * 3 * std::sqrt(1 + 9), 1e-4);
}

TEST(MakeLoft, ThreeSectionsSkinSmoothlyThroughTheMiddleOne)
{
    const ShapeList sections{CircleWire(Vector3::ZERO, 1, Vector3::UNIT_Z),
                             CircleWire(Vector3(0, 0, 2), 3, Vector3::UNIT_Z),
                             CircleWire(Vector3(0, 0, 4), 1, Vector3::UNIT_Z)};
    const ShapePtr barrel = KFeatureTools::MakeLoft(sections, true);
    ASSERT_TRUE(KorrTest::HasKind(barrel, TopoSolid));
    EXPECT_NEAR(KorrTest::DistanceTo(barrel, gp_Pnt(3, 0, 2)), 0.0, 1e-6);
    // Smooth, not ruled: the body bulges beyond the two cones through the circles.
    EXPECT_GT(KorrTest::Volume(barrel), 2 * kPi * 2 / 3 * (1 + 3 + 9));
}

TEST(MakeLoft, RejectedEntriesAreReportedAndSkipped)
{
    const ShapePtr bottom = CircleWire(Vector3::ZERO, 1, Vector3::UNIT_Z);
    const ShapePtr top = CircleWire(Vector3(0, 0, 3), 2, Vector3::UNIT_Z);
    for (auto [rejected, message] : {std::pair{KorrTest::SquareFace(Vector3::ZERO, 1), "Not Edge or Wire!"},
                                     std::pair{ShapePtr(), "NULL Shape"}}) {
        ReportRecorder recorder;
        EXPECT_NEAR(KorrTest::Volume(KFeatureTools::MakeLoft({bottom, rejected, top}, true)), kFrustumVolume, 1e-4);
        ASSERT_EQ(recorder.messages(), std::vector<std::string>{message});
        EXPECT_EQ(recorder.reports()[0].file, "TopoShape/KFeatureTools");
    }
}

TEST(MakeLoft, FewerThanTwoSectionsGiveNull)
{
    const ShapePtr circle = CircleWire(Vector3::ZERO, 1, Vector3::UNIT_Z);
    ReportRecorder recorder;
    EXPECT_EQ(KFeatureTools::MakeLoft({}, true), nullptr);
    EXPECT_EQ(KFeatureTools::MakeLoft({circle}, true), nullptr);
    EXPECT_EQ(recorder.count(), 0u);
    // Two entries of which only one survives: the kernel would crash on it.
    EXPECT_EQ(KFeatureTools::MakeLoft({circle, nullptr}, true), nullptr);
    EXPECT_EQ(KFeatureTools::MakeLoft({std::make_shared<KTopoShape>(), circle}, false), nullptr);
    EXPECT_EQ(KFeatureTools::MakeLoft({KorrTest::SquareFace(Vector3::ZERO, 1), circle}, false), nullptr);
    EXPECT_EQ(recorder.messages(), (std::vector<std::string>{"NULL Shape", "NULL Shape", "Not Edge or Wire!"}));
}

TEST(MakeLoft, CoincidentNeighbouringSectionsGiveNullInsteadOfCrashing)
{
    // Found by fuzzing: the kernel's skinning dereferences a null pointer when
    // two consecutive sections lie on top of each other.
    const ShapePtr bottom = CircleWire(Vector3::ZERO, 1, Vector3::UNIT_Z);
    const ShapePtr twin = CircleWire(Vector3::ZERO, 1, Vector3::UNIT_Z);
    const ShapePtr top = CircleWire(Vector3(0, 0, 5), 1, Vector3::UNIT_Z);
    for (bool solid : {false, true}) {
        EXPECT_FALSE(KFeatureTools::MakeLoft({bottom, bottom, top}, solid));
        EXPECT_FALSE(KFeatureTools::MakeLoft({bottom, twin, top}, solid));
        EXPECT_FALSE(KFeatureTools::MakeLoft({bottom, top, top}, solid));
    }
    // A section may come back later in the list; only neighbours are degenerate.
    const ShapePtr there_and_back = KFeatureTools::MakeLoft({bottom, top, twin}, false);
    ASSERT_TRUE(KorrTest::HasKind(there_and_back, TopoShell));
}

TEST(MakeLoft, SectionsWithoutLengthGiveNullInsteadOfCrashing)
{
    // Found by fuzzing: a circle of radius zero among the sections crashed the
    // kernel's skinning.
    const ShapePtr point = KBrepTools::MakeCircle(Vector3::ZERO, 2.2e-16, Vector3::UNIT_X);
    ASSERT_TRUE(point);
    const ShapePtr top = CircleWire(Vector3(0, 0, 5), 1, Vector3::UNIT_Z);
    EXPECT_FALSE(KFeatureTools::MakeLoft({top, point}, false));
    EXPECT_FALSE(KFeatureTools::MakeLoft({point, top, CircleWire(Vector3(0, 0, 9), 2, Vector3::UNIT_Z)}, true));
}
