#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"

using namespace KorrCore;
using KMath::Math;
using KMath::Vector3;
using KorrTest::PointsNear;
using KorrTest::ReportRecorder;
using KorrTest::VertexPoints;

namespace {

ShapePtr Box(const Vector3& corner) { return KBrepTools::MakeBox(corner, Vector3::UNIT_Z, Vector3(1, 2, 3)); }

// The shape's vertex points with f applied to each.
template <class F> std::vector<gp_Pnt> Mapped(const ShapePtr& shape, F f)
{
    std::vector<gp_Pnt> points = VertexPoints(shape);
    for (gp_Pnt& point : points)
        point = f(point);
    return points;
}

KMath::Matrix4 Affine(double a00, double a01, double a02, double a10, double a11, double a12, double a20, double a21,
                      double a22, const Vector3& translation)
{
    return KMath::Matrix4(a00, a01, a02, translation.x, a10, a11, a12, translation.y, a20, a21, a22, translation.z, 0,
                          0, 0, 1);
}

} // namespace

TEST(Transform, TranslateAndExactMatricesMoveEveryVertex)
{
    const ShapePtr box = Box(Vector3(1, 1, 1));
    const auto shift = [](const gp_Pnt& p) { return gp_Pnt(p.X() + 1, p.Y() + 2, p.Z() + 3); };
    EXPECT_TRUE(PointsNear(VertexPoints(KFeatureTools::Translate(box, Vector3(1, 2, 3))), Mapped(box, shift), 1e-12));

    using Map = gp_Pnt (*)(const gp_Pnt&);
    const std::pair<KMath::Matrix4, Map> cases[] = {
        // Identity block and the translation in the fourth column; the fourth row is ignored.
        {KMath::Matrix4(1, 0, 0, 1, 0, 1, 0, 2, 0, 0, 1, 3, 7, 7, 7, 7),
         [](const gp_Pnt& p) { return gp_Pnt(p.X() + 1, p.Y() + 2, p.Z() + 3); }},
        // 2 x a quarter turn about z, then a shift by (5, 0, 0).
        {Affine(0, -2, 0, 2, 0, 0, 0, 0, 2, Vector3(5, 0, 0)),
         [](const gp_Pnt& p) { return gp_Pnt(5 - 2 * p.Y(), 2 * p.X(), 2 * p.Z()); }},
        // A reflection in the plane x = 0.
        {Affine(-1, 0, 0, 0, 1, 0, 0, 0, 1, Vector3::ZERO),
         [](const gp_Pnt& p) { return gp_Pnt(-p.X(), p.Y(), p.Z()); }},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_TRUE(
            PointsNear(VertexPoints(KFeatureTools::Transform(box, cases[i].first)), Mapped(box, cases[i].second), 1e-9))
            << "case " << i;

    // The argument is untouched.
    EXPECT_TRUE(KorrTest::BoundsNear(box, Vector3(1, 1, 1), Vector3(2, 3, 4), 1e-6));
}

TEST(Transform, AxisRotationTakesDegreesAndMatchesTheQuaternionFarFromTheOrigin)
{
    const ShapePtr box = Box(Vector3(100, 50, 20));
    const auto quarterTurn = Mapped(box, [](const gp_Pnt& p) { return gp_Pnt(-p.Y(), p.X(), p.Z()); });

    const ShapePtr byDegrees = KFeatureTools::Rotation(box, Vector3::ZERO, Vector3::UNIT_Z, 90);
    EXPECT_TRUE(PointsNear(VertexPoints(byDegrees), quarterTurn, 1e-9));

    const ShapePtr byQuaternion =
        KFeatureTools::Rotation(box, KMath::Quaternion(KMath::Radian(Math::HALF_PI), Vector3(0, 0, 5)));
    EXPECT_TRUE(PointsNear(VertexPoints(byQuaternion), VertexPoints(byDegrees), 1e-9));

    // About an axis that does not pass through the origin: (1, 0, 0) turns about (1, 1, 0) to (2, 1, 0).
    const ShapePtr offAxis = KFeatureTools::Rotation(Box(Vector3(1, 0, 0)), Vector3(1, 1, 0), Vector3(0, 0, 2), 90);
    EXPECT_NEAR(KorrTest::DistanceTo(offAxis, gp_Pnt(2, 1, 0)), 0.0, 1e-9);
    EXPECT_TRUE(KorrTest::BoundsNear(offAxis, Vector3(0, 1, 0), Vector3(2, 2, 3), 1e-6));
}

TEST(Transform, ScaleAboutACentre)
{
    const ShapePtr box = Box(Vector3(1, 1, 1));
    const ShapePtr doubled = KFeatureTools::Scale(box, Vector3::ZERO, 2);
    EXPECT_TRUE(
        PointsNear(VertexPoints(doubled), Mapped(box, [](const gp_Pnt& p) { return gp_Pnt(p.XYZ() * 2); }), 1e-9));
    EXPECT_NEAR(KorrTest::Volume(doubled), 48.0, 1e-9);

    const ShapePtr aboutCorner = KFeatureTools::Scale(box, Vector3(1, 1, 1), 3);
    EXPECT_NEAR(KorrTest::DistanceTo(aboutCorner, gp_Pnt(1, 1, 1)), 0.0, 1e-9);
    EXPECT_TRUE(KorrTest::BoundsNear(aboutCorner, Vector3(1, 1, 1), Vector3(4, 7, 10), 1e-6));
    EXPECT_NEAR(KorrTest::Volume(box), 6.0, 1e-9);
}

TEST(Transform, MatricesTheKernelWouldAlterAndKernelRefusalsGiveNull)
{
    const ShapePtr box = Box(Vector3(1, 1, 1));
    ReportRecorder recorder;
    const double nan = std::nan("");
    EXPECT_EQ(KFeatureTools::Transform(box, Affine(1, 0.5, 0, 0, 1, 0, 0, 0, 1, Vector3::ZERO)), nullptr); // shear
    EXPECT_EQ(KFeatureTools::Transform(box, Affine(2, 0, 0, 0, 1, 0, 0, 0, 1, Vector3::ZERO)), nullptr); // non-uniform
    EXPECT_EQ(KFeatureTools::Transform(box, Affine(1, 0, 0, 0, 1, 0, 0, 0, 0, Vector3::ZERO)), nullptr); // singular
    EXPECT_EQ(KFeatureTools::Transform(box, Affine(nan, 0, 0, 0, 1, 0, 0, 0, 1, Vector3::ZERO)), nullptr);
    // So are a zero scale and a rotation about no axis.
    EXPECT_EQ(KFeatureTools::Scale(box, Vector3::ZERO, 0), nullptr);
    EXPECT_EQ(KFeatureTools::Rotation(box, Vector3::ZERO, Vector3::ZERO, 90), nullptr);
    EXPECT_EQ(recorder.count(), 0u);
}

TEST(Transform, MirrorIsTheHalfTurnAboutTheLine)
{
    const ShapePtr box = Box(Vector3(1, 1, 1));
    const ShapePtr mirrored = KFeatureTools::MakeMirror(box, Vector3::ZERO, Vector3(0, 0, 1));
    EXPECT_TRUE(PointsNear(VertexPoints(mirrored),
                           Mapped(box, [](const gp_Pnt& p) { return gp_Pnt(-p.X(), -p.Y(), p.Z()); }), 1e-9));
    // Handedness is kept: the volume stays positive.
    EXPECT_NEAR(KorrTest::Volume(mirrored), 6.0, 1e-9);

    ReportRecorder recorder;
    EXPECT_EQ(KFeatureTools::MakeMirror(box, Vector3(1, 2, 3), Vector3(1, 2, 3)), nullptr);
    EXPECT_EQ(recorder.count(), 0u);
}

TEST(TransformInplace, EveryCopyOfTheHandleSeesTheChange)
{
    const ShapePtr box = Box(Vector3(1, 1, 1));
    const ShapePtr samePointer = box;
    const ShapePtr copiedHandle = std::make_shared<KTopoShape>(*box);
    const std::vector<gp_Pnt> original = VertexPoints(box);

    ASSERT_TRUE(KFeatureTools::TranslateInplace(box, Vector3(1, 2, 3)));
    const auto translated = [](const gp_Pnt& p) { return gp_Pnt(p.X() + 1, p.Y() + 2, p.Z() + 3); };
    std::vector<gp_Pnt> expected;
    for (const gp_Pnt& p : original)
        expected.push_back(translated(p));
    EXPECT_TRUE(PointsNear(VertexPoints(samePointer), expected, 1e-12));
    EXPECT_TRUE(PointsNear(VertexPoints(copiedHandle), expected, 1e-12));

    ASSERT_TRUE(KFeatureTools::ScaleInplace(copiedHandle, Vector3::ZERO, 2));
    for (gp_Pnt& p : expected)
        p.SetXYZ(p.XYZ() * 2);
    EXPECT_TRUE(PointsNear(VertexPoints(box), expected, 1e-9));

    ASSERT_TRUE(
        KFeatureTools::RotationInplace(samePointer, KMath::Quaternion(KMath::Radian(Math::PI), Vector3::UNIT_Z)));
    for (gp_Pnt& p : expected)
        p = gp_Pnt(-p.X(), -p.Y(), p.Z());
    EXPECT_TRUE(PointsNear(VertexPoints(copiedHandle), expected, 1e-9));
    EXPECT_NEAR(KorrTest::Volume(box), 48.0, 1e-9);
}

TEST(TransformInplace, FailureLeavesTheShapeAsItWas)
{
    const ShapePtr box = Box(Vector3(1, 1, 1));
    const ShapePtr copy = box;
    const std::vector<gp_Pnt> original = VertexPoints(box);
    ReportRecorder recorder;
    EXPECT_FALSE(KFeatureTools::ScaleInplace(box, Vector3::ZERO, 0));
    EXPECT_TRUE(PointsNear(VertexPoints(copy), original, 0.0));
    EXPECT_NEAR(KorrTest::Volume(copy), 6.0, 1e-9);
    EXPECT_EQ(recorder.count(), 0u);
}
