#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include "support/ReportRecorder.h"

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::ReportRecorder;

// A null ShapePtr and a handle holding no shape must both be turned away
// before the kernel sees them (several kernel algorithms crash on a null shape).
TEST(KFeatureToolsNullInput, EveryOperationGivesNullOrFalseWithoutReport)
{
    const ShapePtr box = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(1, 1, 1));
    const KMath::Quaternion quarter(KMath::Radian(1.0), Vector3::UNIT_Z);
    ReportRecorder recorder;
    for (const ShapePtr& missing : {ShapePtr(), std::make_shared<KTopoShape>()}) {
        EXPECT_EQ(KFeatureTools::Extrude(missing, 1, Vector3::UNIT_Z), nullptr);
        EXPECT_EQ(KFeatureTools::Revol(missing, Vector3::ZERO, Vector3::UNIT_Z, 1), nullptr);
        EXPECT_EQ(KFeatureTools::Boolean(missing, box, BooleanFuse), nullptr);
        EXPECT_EQ(KFeatureTools::Boolean(box, missing, BooleanCut), nullptr);
        EXPECT_EQ(KFeatureTools::SurfaceSection(missing, box), nullptr);
        EXPECT_EQ(KFeatureTools::SurfaceSection(box, missing), nullptr);
        EXPECT_EQ(KFeatureTools::Fillet(missing, 0.1), nullptr);
        EXPECT_EQ(KFeatureTools::Chamfer(missing, 0.1, 0.1), nullptr);
        EXPECT_EQ(KFeatureTools::Scale(missing, Vector3::ZERO, 2), nullptr);
        EXPECT_EQ(KFeatureTools::Rotation(missing, quarter), nullptr);
        EXPECT_EQ(KFeatureTools::Rotation(missing, Vector3::ZERO, Vector3::UNIT_Z, 90), nullptr);
        EXPECT_EQ(KFeatureTools::Translate(missing, Vector3(1, 0, 0)), nullptr);
        EXPECT_EQ(KFeatureTools::Transform(missing, KMath::Matrix4::IDENTITY), nullptr);
        EXPECT_EQ(KFeatureTools::MakeMirror(missing, Vector3::ZERO, Vector3::UNIT_Z), nullptr);
        EXPECT_FALSE(KFeatureTools::ScaleInplace(missing, Vector3::ZERO, 2));
        EXPECT_FALSE(KFeatureTools::RotationInplace(missing, quarter));
        EXPECT_FALSE(KFeatureTools::TranslateInplace(missing, Vector3(1, 0, 0)));
        if (missing) {
            EXPECT_TRUE(missing->IsNull()); // the in-place forms set nothing into it
        }
    }
    EXPECT_EQ(recorder.count(), 0u);
}
