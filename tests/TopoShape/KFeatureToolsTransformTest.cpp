#include "support/Checks.h"

using namespace KorrCore;

namespace {

ShapePtr Box()
{
    return KBrepTools::MakeBox({100, 50, 20}, {0, 0, 1}, {1, 2, 3});
}

// The box transformed lies where the kernel's transformation puts it.
::testing::AssertionResult Moves(const ShapePtr& result, const gp_Trsf& transformation)
{
    std::vector<gp_Pnt> expected = KorrTest::VertexPoints(Box());
    for (gp_Pnt& point : expected)
        point.Transform(transformation);
    return KorrTest::PointsNear(KorrTest::VertexPoints(result), expected, 1e-9);
}

gp_Trsf Kernel(void (gp_Trsf::*set)(const gp_Ax1&, double), const gp_Ax1& axis, double value, double scale = 1)
{
    gp_Trsf transformation;
    (transformation.*set)(axis, value);
    transformation.SetScaleFactor(scale);
    return transformation;
}

KMath::Matrix4 Matrix(const gp_Trsf& t) // with a fourth row that is ignored
{
    KMath::Matrix4 matrix;
    for (int i = 0; i < 16; ++i)
        matrix.m[i] = i < 12 ? t.Value(i / 4 + 1, i % 4 + 1) : 7;
    return matrix;
}

} // namespace

TEST(KFeatureToolsTransform, CopiesAreMovedTurnedScaledMirroredAndTransformedAsAskedTheArgumentUntouched)
{
    const ShapePtr box = Box();
    gp_Trsf shift, scale, reflection;
    shift.SetTranslation(gp_Vec(1, 2, 3));
    scale.SetScale(gp_Pnt(1, 1, 1), 3);
    reflection.SetMirror(gp_Ax2(gp_Pnt(5, 0, 0), gp_Dir(1, 1, 0)));
    const gp_Trsf similarity = Kernel(&gp_Trsf::SetRotation, gp_Ax1(gp_Pnt(1, -2, 3), gp_Dir(1, 2, 2)), 0.7, 2);
    EXPECT_TRUE(Moves(KFeatureTools::Translate(box, {1, 2, 3}), shift) &&
                Moves(KFeatureTools::Scale(box, {1, 1, 1}, 3), scale));
    EXPECT_TRUE(Moves(KFeatureTools::MakeMirror(box, {1, 2, 0}, {1, 2, 7}),
                      Kernel(&gp_Trsf::SetRotation, gp_Ax1(gp_Pnt(1, 2, 0), gp::DZ()), M_PI)));
    EXPECT_TRUE(Moves(KFeatureTools::Rotation(box, {1, 1, 0}, {0, 0, 2}, 90),
                      Kernel(&gp_Trsf::SetRotation, gp_Ax1(gp_Pnt(1, 1, 0), gp::DZ()), M_PI / 2)));
    EXPECT_TRUE(Moves(KFeatureTools::Rotation(box, KMath::Quaternion(KMath::Radian(M_PI / 2), {0, 0, 5})),
                      Kernel(&gp_Trsf::SetRotation, gp::OZ(), M_PI / 2)));
    EXPECT_TRUE(Moves(KFeatureTools::Transform(box, Matrix(similarity)), similarity));
    EXPECT_TRUE(Moves(KFeatureTools::Transform(box, Matrix(reflection)), reflection) && Moves(box, gp_Trsf()));
    EXPECT_NEAR(KorrTest::Size(KFeatureTools::Transform(box, Matrix(reflection))), 6.0, 1e-9); // handedness is kept
    // The kernel would alter a shear, a non-uniform scale, a singular matrix or NaN; zero scales and axes it refuses.
    KorrTest::ReportRecorder recorder;
    for (const auto& e : {std::array{1.0, 0.5, 1.0}, std::array{2.0, 0.0, 1.0}, std::array{1.0, 0.0, 0.0},
                          std::array{std::nan(""), 0.0, 1.0}})
        EXPECT_FALSE(KFeatureTools::Transform(box, {e[0], e[1], 0, 0, 0, 1, 0, 0, 0, 0, e[2], 0, 0, 0, 0, 1}));
    EXPECT_FALSE(KFeatureTools::Scale(box, {0, 0, 0}, 0) || KFeatureTools::Rotation(box, {0, 0, 0}, {0, 0, 0}, 90) ||
                 KFeatureTools::MakeMirror(box, {1, 2, 3}, {1, 2, 3}) || recorder.count() > 0);
    // In place, every copy of the handle sees the change, or none.
    const ShapePtr copied = std::make_shared<KTopoShape>(*box);
    EXPECT_TRUE(!KFeatureTools::ScaleInplace(box, {0, 0, 0}, 0) && Moves(copied, gp_Trsf()));
    ASSERT_TRUE(KFeatureTools::TranslateInplace(box, {1, 2, 3}) && KFeatureTools::ScaleInplace(copied, {0, 0, 0}, 2) &&
                KFeatureTools::RotationInplace(box, KMath::Quaternion(KMath::Radian(M_PI), {0, 0, 1})));
    EXPECT_TRUE(Moves(copied, Kernel(&gp_Trsf::SetRotation, gp::OZ(), M_PI, 2) * shift));
}
