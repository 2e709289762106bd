#include "Placements.h"

namespace korrgeom {

namespace {

// The inverse of an affine placement: the inverse of its linear part (by
// cofactors), and the translation carried back through it.
KMath::Matrix4 Inverse(const KMath::Matrix4& a)
{
    const auto cofactor = [&a](int row, int column) {
        const int r0 = (row + 1) % 3, r1 = (row + 2) % 3, c0 = (column + 1) % 3, c1 = (column + 2) % 3;
        return a(r0, c0) * a(r1, c1) - a(r0, c1) * a(r1, c0);
    };
    const double determinant = a(0, 0) * cofactor(0, 0) + a(0, 1) * cofactor(0, 1) + a(0, 2) * cofactor(0, 2);
    KMath::Matrix4 inverse;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            inverse.m[4 * row + column] = cofactor(column, row) / determinant;
    for (int row = 0; row < 3; ++row)
        inverse.m[4 * row + 3] = -(inverse(row, 0) * a(0, 3) + inverse(row, 1) * a(1, 3) + inverse(row, 2) * a(2, 3));
    return inverse;
}

KMath::Matrix4 Product(const KMath::Matrix4& a, const KMath::Matrix4& b)
{
    KMath::Matrix4 product;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            product.m[4 * row + column] = a(row, 0) * b(0, column) + a(row, 1) * b(1, column) +
                                          a(row, 2) * b(2, column) + (column == 3 ? a(row, 3) : 0.0);
    return product;
}

} // namespace

bool IsIdentity(const KMath::Matrix4& placement)
{
    for (int i = 0; i < 16; ++i)
        if (placement.m[i] != KMath::Matrix4::IDENTITY.m[i])
            return false;
    return true;
}

KMath::Matrix4 Relative(const KMath::Matrix4& to, const KMath::Matrix4& from)
{
    return Product(to, Inverse(from));
}

std::vector<double> ColumnMajor(const KMath::Matrix4& placement)
{
    std::vector<double> entries(16);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            entries[static_cast<std::size_t>(4 * column + row)] = placement(row, column);
    return entries;
}

} // namespace korrgeom
