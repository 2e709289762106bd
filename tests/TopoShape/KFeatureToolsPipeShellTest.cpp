#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"
#include "support/TestProfiles.h"

using namespace KorrCore;
using KMath::Math;
using KMath::Vector3;
using KorrTest::ReportRecorder;
using Profile = KPipeShellParam::SectionProfile;
using Edit = std::function<void(KPipeShellParam&)>;

namespace {

constexpr double kPi = Math::PI;

// A unit circle in the XY plane swept up the Z axis from 0 to 5.
KPipeShellParam TubeAlongZ()
{
    KPipeShellParam parameters;
    parameters.Spine = KorrTest::LineEdge(Vector3::ZERO, Vector3(0, 0, 5));
    parameters.AddProfile(Profile{KorrTest::CircleWire(Vector3::ZERO, 1, Vector3::UNIT_Z), false, false, {}, false});
    return parameters;
}

// The sweep of the tube with one change made to its parameters.
ShapePtr PipeOf(const Edit& edit)
{
    KPipeShellParam parameters = TubeAlongZ();
    edit(parameters);
    return KFeatureTools::MakePipeShell(parameters);
}

Edit Auxiliary(std::int32_t mode, ShapePtr shape)
{
    return [mode, shape](KPipeShellParam& p) {
        p.Mode = mode;
        p.AuxiliaryShape = shape;
    };
}

::testing::AssertionResult IsUnitCylinderOfHeight5(const ShapePtr& shape)
{
    if (const auto kind = KorrTest::HasKind(shape, TopoSolid); !kind)
        return kind;
    const double volume = KorrTest::Volume(shape);
    if (std::abs(volume - 5 * kPi) > 1e-3)
        return ::testing::AssertionFailure() << "volume " << volume;
    return KorrTest::BoundsNear(shape, Vector3(-1, -1, 0), Vector3(1, 1, 5), 1e-3);
}

} // namespace

TEST(MakePipeShell, CircleAlongALineGivesACylinderInEveryMode)
{
    const std::vector<Edit> modes = {
        [](KPipeShellParam&) {},
        [](KPipeShellParam& p) {
            p.Mode = KPipeShellParam::ModeFixedTrihedron;
            p.AxisOrigin = Vector3::ZERO;
            p.AxisDirection = Vector3::UNIT_Z;
        },
        [](KPipeShellParam& p) {
            p.Mode = KPipeShellParam::ModeConstantBinormal;
            p.AxisDirection = Vector3::UNIT_X;
        },
        Auxiliary(KPipeShellParam::ModeSpineSupport,
                  KorrTest::PolygonFace({Vector3(0, -3, -1), Vector3(0, 3, -1), Vector3(0, 3, 6), Vector3(0, -3, 6)})),
        [](KPipeShellParam& p) { p.Mode = 7; }, // unknown modes keep the kernel's default trihedron
    };
    for (std::size_t i = 0; i < modes.size(); ++i)
        EXPECT_TRUE(IsUnitCylinderOfHeight5(PipeOf(modes[i]))) << "case " << i;

    // The section frame turns towards the auxiliary spine, which leans the
    // circle: a slanted cylinder, still of volume pi * 5.
    const ShapePtr slanted =
        PipeOf(Auxiliary(KPipeShellParam::ModeAuxiliarySpine, KorrTest::LineEdge(Vector3(3, 0, 0), Vector3(3, 0, 5))));
    ASSERT_TRUE(KorrTest::HasKind(slanted, TopoSolid));
    EXPECT_TRUE(KorrTest::IsValid(slanted));
    EXPECT_NEAR(KorrTest::Volume(slanted), 5 * kPi, 1e-3);
}

TEST(MakePipeShell, ProfileLocationMustBeASpineVertex)
{
    KPipeShellParam located = TubeAlongZ();
    located.Profiles.front().UseLocation = true;
    located.Profiles.front().Location = Vector3(0, 0, 1e-9); // the spine's start, within the kernel's tolerance
    EXPECT_TRUE(IsUnitCylinderOfHeight5(KFeatureTools::MakePipeShell(located)));

    located.Profiles.front().Location = Vector3(0, 0, 2.5);
    ReportRecorder recorder;
    EXPECT_EQ(KFeatureTools::MakePipeShell(located), nullptr);
    EXPECT_EQ(recorder.count(), 0u);
}

TEST(MakePipeShell, SweepsThatDoNotCloseIntoASolidGiveNull)
{
    const ShapePtr square = KorrTest::SquareFace(Vector3::ZERO, 1);
    const std::vector<Edit> edits = {
        [](KPipeShellParam& p) {
            p.Profiles.front().Profile =
                KorrTest::PolylineWire({Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(-1, 0, 0)}, false);
        },
        [](KPipeShellParam& p) { p.Spine = nullptr; },
        [](KPipeShellParam& p) { p.Spine = std::make_shared<KTopoShape>(); },
        [square](KPipeShellParam& p) { p.Spine = square; },
        Auxiliary(KPipeShellParam::ModeAuxiliarySpine, square),
    };
    ReportRecorder recorder;
    for (std::size_t i = 0; i < edits.size(); ++i)
        EXPECT_EQ(PipeOf(edits[i]), nullptr) << "case " << i;
    EXPECT_EQ(recorder.count(), 0u);
}

TEST(MakePipeShell, MissingInputsAreReportedWithEmptyMessages)
{
    const std::vector<Edit> edits = {
        Auxiliary(KPipeShellParam::ModeSpineSupport, nullptr),
        Auxiliary(KPipeShellParam::ModeAuxiliarySpine, nullptr),
        [](KPipeShellParam& p) { p.Profiles.clear(); },
    };
    for (std::size_t i = 0; i < edits.size(); ++i) {
        ReportRecorder recorder;
        EXPECT_EQ(PipeOf(edits[i]), nullptr) << "case " << i;
        ASSERT_EQ(recorder.messages(), std::vector<std::string>{""}) << "case " << i;
        EXPECT_EQ(recorder.reports()[0].file, "TopoShape/KFeatureTools");
    }
    // A null profile is reported and skipped; the others are swept.
    ReportRecorder recorder;
    EXPECT_TRUE(IsUnitCylinderOfHeight5(PipeOf([](KPipeShellParam& p) {
        p.Profiles.push_front(Profile{nullptr, false, false, {}, false});
    })));
    EXPECT_EQ(recorder.messages(), std::vector<std::string>{""});
}

TEST(KPipeShellParam, CopiesShareHandlesButNotProfileLists)
{
    const KPipeShellParam original = TubeAlongZ();
    KPipeShellParam copy = original;
    copy.AddProfile(Profile{KorrTest::CircleWire(Vector3(0, 0, 5), 2, Vector3::UNIT_Z), true, true, {}, false});
    EXPECT_EQ(original.Profiles.size(), 1u);
    ASSERT_EQ(copy.Profiles.size(), 2u);
    EXPECT_EQ(copy.Profiles.front().Profile, original.Profiles.front().Profile); // handles are shared
    EXPECT_TRUE(copy.Profiles.back().WithContact);

    KPipeShellParam assigned;
    assigned = copy;
    assigned = assigned;
    EXPECT_EQ(assigned.Profiles.size(), 2u);
    EXPECT_EQ(assigned.Spine, original.Spine);
}

TEST(MakePipeShell, PathsWithoutLengthGiveNullInsteadOfOverflowingTheStack)
{
    // Found by fuzzing: a spine that is a circle of radius zero sent the
    // kernel's Frenet frame into endless recursion.
    const ShapePtr point = KBrepTools::MakeCircle(Vector3(0, 3, 0), 0, Vector3(0, 10, 0));
    ASSERT_TRUE(point);
    EXPECT_FALSE(PipeOf([point](KPipeShellParam& p) { p.Spine = point; }));
    EXPECT_FALSE(PipeOf(Auxiliary(KPipeShellParam::ModeAuxiliarySpine, point)));
}

TEST(MakePipeShell, WiresRunningAlongAnEdgeTwiceGiveNullInsteadOfCrashing)
{
    // Found by fuzzing: a wire running along the same arc twice, which the
    // wire builder and even the kernel's validity check accept, crashed the
    // kernel's sweep as spine and profile.
    const ShapePtr arc = KBrepTools::MakeArc(Vector3(0, 0, -100), Vector3(0, 0, -14), Vector3(14.5, 0, 0));
    const ShapePtr twice = KBrepTools::MakeWire({arc, arc});
    ASSERT_TRUE(twice);
    EXPECT_FALSE(PipeOf([twice](KPipeShellParam& p) { p.Spine = twice; }));
    EXPECT_FALSE(PipeOf([twice](KPipeShellParam& p) { p.AddProfile(Profile{twice, false, false, {}, false}); }));
}
