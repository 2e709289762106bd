#pragma once

#include <KorrGeomCore/KorrGeomCoreExport.h>

namespace KMath {

// A 4x4 matrix, row-major: entry (r, c) at m[4r + c]; an affine transform keeps
// its translation in the fourth column.
class KORRGEOMCORE_EXPORT Matrix4 {
public:
    // The entries, row by row; the identity unless set.
    double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    // The identity.
    Matrix4() = default;
    // The matrix of the given entries, mRC in row R and column C.
    Matrix4(double m00, double m01, double m02, double m03,
            double m10, double m11, double m12, double m13,
            double m20, double m21, double m22, double m23,
            double m30, double m31, double m32, double m33);

    // The entry in a row and column, each from 0 to 3.
    double operator()(int row, int column) const { return m[4 * row + column]; }

    // The identity matrix.
    static const Matrix4 IDENTITY;
};

} // namespace KMath
