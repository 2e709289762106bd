#include "support/Checks.h"

#include <gp_Trsf.hxx>

#include <KorrGeomCore/Platform/Matrix3.h>

// The rotation matrices a host builds turn vectors as the kernel's rotations do.

using KMath::Vector3;

TEST(Matrix3, TurnsVectorsAsTheKernelsRotationAboutTheSameAxis)
{
    // Unit axes, as the matrix needs them.
    for (const Vector3& axis : {Vector3(2.0 / 3, 1.0 / 3, -2.0 / 3), Vector3(0, 0, -1), Vector3(-0.6, 0, 0.8)})
        for (const double angle : {0.3, -2.0, M_PI}) {
            KMath::Matrix3 turn;
            turn.FromAxisAngle(axis, KMath::Radian(angle));
            gp_Trsf kernel;
            kernel.SetRotation(gp_Ax1(gp::Origin(), gp_Dir(axis.x, axis.y, axis.z)), angle);
            const Vector3 turned = turn * Vector3(4, -5, 6);
            const gp_XYZ expected = gp_Pnt(4, -5, 6).Transformed(kernel).XYZ();
            EXPECT_NEAR(turned.x, expected.X(), 1e-12) << angle;
            EXPECT_NEAR(turned.y, expected.Y(), 1e-12) << angle;
            EXPECT_NEAR(turned.z, expected.Z(), 1e-12) << angle;
        }
}
