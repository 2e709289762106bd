#include "Internal/Core/MatrixTransform.h"

#include <cmath>

#include "Internal/Core/KernelValues.h"

namespace KorrCore {

namespace {

// Relative deviation from a scaled rotation that a matrix may carry, enough for
// matrices composed in single precision.
constexpr double kSimilarityTolerance = 1e-6;

double Determinant(const KMath::Matrix4& m)
{
    return m(0, 0) * (m(1, 1) * m(2, 2) - m(1, 2) * m(2, 1)) - m(0, 1) * (m(1, 0) * m(2, 2) - m(1, 2) * m(2, 0)) +
           m(0, 2) * (m(1, 0) * m(2, 1) - m(1, 1) * m(2, 0));
}

} // namespace

bool IsScaledRotation(const KMath::Matrix4& m)
{
    const double scaleSquared = std::pow(std::cbrt(Determinant(m)), 2);
    if (!(scaleSquared > 0.0))
        return false;
    // The columns of s * R are orthogonal and each of length |s|.
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const double dot = m(0, i) * m(0, j) + m(1, i) * m(1, j) + m(2, i) * m(2, j);
            const double expected = i == j ? scaleSquared : 0.0;
            if (!(std::abs(dot - expected) <= kSimilarityTolerance * scaleSquared))
                return false;
        }
    }
    return true;
}

bool IsRigidMotion(const KMath::Matrix4& matrix)
{
    return IsScaledRotation(matrix) && std::abs(Determinant(matrix) - 1.0) <= kSimilarityTolerance;
}

gp_Trsf MatrixTransformation(const KMath::Matrix4& m)
{
    gp_Trsf transformation;
    const auto e = [&m](int row, int column) { return ToReal(m(row, column), "each entry of matrix"); };
    transformation.SetValues(e(0, 0), e(0, 1), e(0, 2), e(0, 3), //
                             e(1, 0), e(1, 1), e(1, 2), e(1, 3), //
                             e(2, 0), e(2, 1), e(2, 2), e(2, 3));
    return transformation;
}

KMath::Matrix4 LocationMatrix(const TopLoc_Location& location)
{
    const gp_Trsf transform = location.Transformation();
    KMath::Matrix4 matrix;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            matrix.m[4 * row + column] = transform.Value(row + 1, column + 1);
    return matrix;
}

} // namespace KorrCore
