#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include <cmath>

#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"
#include "support/TestProfiles.h"

using namespace KorrCore;
using KMath::Math;
using KMath::Vector3;
using KorrTest::ReportRecorder;
using Profile = KPipeShellParam::SectionProfile;

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
    EXPECT_TRUE(IsUnitCylinderOfHeight5(KFeatureTools::MakePipeShell(TubeAlongZ())));

    KPipeShellParam fixed = TubeAlongZ();
    fixed.Mode = KPipeShellParam::ModeFixedTrihedron;
    fixed.AxisOrigin = Vector3::ZERO;
    fixed.AxisDirection = Vector3::UNIT_Z;
    EXPECT_TRUE(IsUnitCylinderOfHeight5(KFeatureTools::MakePipeShell(fixed)));

    KPipeShellParam binormal = TubeAlongZ();
    binormal.Mode = KPipeShellParam::ModeConstantBinormal;
    binormal.AxisDirection = Vector3::UNIT_X;
    EXPECT_TRUE(IsUnitCylinderOfHeight5(KFeatureTools::MakePipeShell(binormal)));

    KPipeShellParam support = TubeAlongZ();
    support.Mode = KPipeShellParam::ModeSpineSupport;
    support.AuxiliaryShape = KorrTest::PolygonFace({Vector3(0, -3, -1), Vector3(0, 3, -1), Vector3(0, 3, 6), Vector3(0, -3, 6)});
    EXPECT_TRUE(IsUnitCylinderOfHeight5(KFeatureTools::MakePipeShell(support)));

    KPipeShellParam auxiliary = TubeAlongZ();
    auxiliary.Mode = KPipeShellParam::ModeAuxiliarySpine;
    auxiliary.AuxiliaryShape = KorrTest::LineEdge(Vector3(3, 0, 0), Vector3(3, 0, 5));
    // The section frame turns towards the auxiliary spine, which leans the
    // circle: a slanted cylinder, still of volume pi * 5.
    const ShapePtr slanted = KFeatureTools::MakePipeShell(auxiliary);
    ASSERT_TRUE(KorrTest::HasKind(slanted, TopoSolid));
    EXPECT_TRUE(KorrTest::IsValid(slanted));
    EXPECT_NEAR(KorrTest::Volume(slanted), 5 * kPi, 1e-3);

    // Unknown modes keep the kernel's default trihedron.
    KPipeShellParam unknown = TubeAlongZ();
    unknown.Mode = 7;
    EXPECT_TRUE(IsUnitCylinderOfHeight5(KFeatureTools::MakePipeShell(unknown)));
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
    ReportRecorder recorder;
    KPipeShellParam open = TubeAlongZ();
    open.Profiles.front().Profile = KorrTest::PolylineWire({Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(-1, 0, 0)}, false);
    EXPECT_EQ(KFeatureTools::MakePipeShell(open), nullptr);

    KPipeShellParam noSpine = TubeAlongZ();
    noSpine.Spine = nullptr;
    EXPECT_EQ(KFeatureTools::MakePipeShell(noSpine), nullptr);
    noSpine.Spine = std::make_shared<KTopoShape>();
    EXPECT_EQ(KFeatureTools::MakePipeShell(noSpine), nullptr);
    KPipeShellParam faceSpine = TubeAlongZ();
    faceSpine.Spine = KorrTest::SquareFace(Vector3::ZERO, 1);
    EXPECT_EQ(KFeatureTools::MakePipeShell(faceSpine), nullptr);

    KPipeShellParam badAuxiliary = TubeAlongZ();
    badAuxiliary.Mode = KPipeShellParam::ModeAuxiliarySpine;
    badAuxiliary.AuxiliaryShape = KorrTest::SquareFace(Vector3::ZERO, 1);
    EXPECT_EQ(KFeatureTools::MakePipeShell(badAuxiliary), nullptr);
    EXPECT_EQ(recorder.count(), 0u);
}

TEST(MakePipeShell, MissingInputsAreReportedWithEmptyMessages)
{
    for (std::int32_t mode : {KPipeShellParam::ModeSpineSupport, KPipeShellParam::ModeAuxiliarySpine}) {
        KPipeShellParam parameters = TubeAlongZ();
        parameters.Mode = mode;
        ReportRecorder recorder;
        EXPECT_EQ(KFeatureTools::MakePipeShell(parameters), nullptr) << mode;
        EXPECT_EQ(recorder.messages(), std::vector<std::string>{""}) << mode;
    }
    {
        KPipeShellParam parameters = TubeAlongZ();
        parameters.Profiles.clear();
        ReportRecorder recorder;
        EXPECT_EQ(KFeatureTools::MakePipeShell(parameters), nullptr);
        EXPECT_EQ(recorder.messages(), std::vector<std::string>{""});
        EXPECT_EQ(recorder.reports()[0].file, "TopoShape/KFeatureTools");
    }
    {
        // A null profile is reported and skipped; the others are swept.
        KPipeShellParam parameters = TubeAlongZ();
        parameters.Profiles.push_front(Profile{nullptr, false, false, {}, false});
        ReportRecorder recorder;
        EXPECT_TRUE(IsUnitCylinderOfHeight5(KFeatureTools::MakePipeShell(parameters)));
        EXPECT_EQ(recorder.messages(), std::vector<std::string>{""});
    }
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
    const ShapePtr point = KBrepTools::MakeCircle(Vector3(0, 3e16, 0), 0, Vector3(0, 10, 0));
    ASSERT_TRUE(point);
    KPipeShellParam parameters = TubeAlongZ();
    parameters.Spine = point;
    EXPECT_FALSE(KFeatureTools::MakePipeShell(parameters));

    parameters = TubeAlongZ();
    parameters.Mode = KPipeShellParam::ModeAuxiliarySpine;
    parameters.AuxiliaryShape = point;
    EXPECT_FALSE(KFeatureTools::MakePipeShell(parameters));
}

TEST(MakePipeShell, WiresRunningAlongAnEdgeTwiceGiveNullInsteadOfCrashing)
{
    // Found by fuzzing: a wire running along the same arc twice, which the
    // wire builder and even the kernel's validity check accept, crashed the
    // kernel's sweep as spine and profile.
    const ShapePtr arc = KBrepTools::MakeArc(Vector3(0, 0, -100), Vector3(0, 0, -14), Vector3(14.5, 0, 0));
    ASSERT_TRUE(arc);
    const ShapePtr twice = KBrepTools::MakeWire({arc, arc});
    ASSERT_TRUE(twice);

    KPipeShellParam parameters = TubeAlongZ();
    parameters.Spine = twice;
    EXPECT_FALSE(KFeatureTools::MakePipeShell(parameters));
    parameters = TubeAlongZ();
    parameters.AddProfile(Profile{twice, false, false, {}, false});
    EXPECT_FALSE(KFeatureTools::MakePipeShell(parameters));
}
