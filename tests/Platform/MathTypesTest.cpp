#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

using namespace KMath;

namespace {

void ExpectNear(const Vector3& actual, const Vector3& expected, double tol = 1e-12)
{
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

} // namespace

TEST(Vector3, NormaliseReturnsFormerLengthAndKeepsZeroVectorZero)
{
    Vector3 v(3, 0, 4);
    EXPECT_DOUBLE_EQ(v.normalise(), 5.0);
    ExpectNear(v, Vector3(0.6, 0, 0.8));

    Vector3 zero = Vector3::ZERO;
    EXPECT_EQ(zero.normalise(), 0.0);
    EXPECT_EQ(zero, Vector3::ZERO);
}

TEST(Vector3, ProductsAreRightHanded)
{
    EXPECT_EQ(Vector3::UNIT_X.crossProduct(Vector3::UNIT_Y), Vector3::UNIT_Z);
    EXPECT_EQ(Vector3::UNIT_Y.crossProduct(Vector3::UNIT_X), Vector3(0, 0, -1));
    EXPECT_EQ(Vector3(1, 2, 3).dotProduct(Vector3(4, -5, 6)), 12.0);
    EXPECT_EQ(Vector3(1, 2, 3) + Vector3(1, 1, 1) * 2.0 - Vector3(3, 4, 5), Vector3::ZERO);
}

TEST(Rotations, QuarterTurnAboutZTurnsXIntoYAndRoundTripsThroughAngleAxis)
{
    Matrix3 rotation = Matrix3::IDENTITY;
    ExpectNear(rotation * Vector3(1, 2, 3), Vector3(1, 2, 3));
    rotation.FromAxisAngle(Vector3::UNIT_Z, Radian(Math::HALF_PI));
    ExpectNear(rotation * Vector3::UNIT_X, Vector3::UNIT_Y);
    ExpectNear(rotation * Vector3(0, 0, 2), Vector3(0, 0, 2));

    Radian angle;
    Vector3 axis;
    Quaternion(Radian(Math::HALF_PI), Vector3(0, 0, 5)).ToAngleAxis(angle, axis);
    EXPECT_NEAR(angle.valueRadians(), Math::HALF_PI, 1e-12);
    ExpectNear(axis, Vector3::UNIT_Z);
    // No turn still gives a usable axis.
    Quaternion().ToAngleAxis(angle, axis);
    EXPECT_EQ(angle.valueRadians(), 0.0);
    EXPECT_NEAR(axis.length(), 1.0, 1e-12);
}

TEST(AxisAlignedBox, FiniteBoxKeepsItsCornersAndDefaultIsNull)
{
    const AxisAlignedBox box(Vector3(-1, -2, -3), Vector3(1, 2, 3));
    EXPECT_EQ(static_cast<int>(box.getExtent()), 1);
    EXPECT_EQ(box.getMinimum(), Vector3(-1, -2, -3));
    EXPECT_EQ(box.getMaximum(), Vector3(1, 2, 3));
    EXPECT_EQ(AxisAlignedBox().getExtent(), AxisAlignedBox::EXTENT_NULL);
}

TEST(Matrix4, IsRowMajorWithTranslationInFourthColumn)
{
    const Matrix4 m(1, 0, 0, 7, 0, 1, 0, 8, 0, 0, 1, 9, 0, 0, 0, 1);
    EXPECT_EQ(m(0, 3), 7.0);
    EXPECT_EQ(m.m[4 * 1 + 3], 8.0);
    EXPECT_EQ(Matrix4::IDENTITY(3, 3), 1.0);
}
