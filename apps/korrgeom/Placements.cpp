#include "Placements.h"

namespace korrgeom {

bool IsIdentity(const KMath::Matrix4& placement)
{
    for (int i = 0; i < 16; ++i)
        if (placement.m[i] != KMath::Matrix4::IDENTITY.m[i])
            return false;
    return true;
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
