#pragma once

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/Radian.h>
#include <KorrGeomCore/Platform/Vector3.h>

namespace KMath {

// A 3x3 matrix, row-major: entry (r, c) at m[3r + c].
class KORRGEOMCORE_EXPORT Matrix3 {
public:
    // The entries, row by row; the identity unless set.
    double m[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};

    // The identity.
    Matrix3() = default;
    // The matrix of the given entries, mRC in row R and column C.
    Matrix3(double m00, double m01, double m02,
            double m10, double m11, double m12,
            double m20, double m21, double m22);

    // The entry in a row and column, each from 0 to 2.
    double operator()(int row, int column) const { return m[3 * row + column]; }

    // Becomes the counter-clockwise rotation by angle about the unit axis
    // (right-hand rule).
    void FromAxisAngle(const Vector3& axis, const Radian& angle);

    // The product of this matrix and a column vector.
    Vector3 operator*(const Vector3& v) const;

    // The identity matrix.
    static const Matrix3 IDENTITY;
};

} // namespace KMath
