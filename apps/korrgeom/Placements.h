#pragma once

#include <vector>

#include <KorrGeomCore/Platform/Matrix4.h>

namespace korrgeom {

// Affine placements as the library gives them: row-major, the linear part in
// the upper left 3x3 block, the translation in the fourth column.

bool IsIdentity(const KMath::Matrix4& placement);

// The 16 entries column by column, as glTF stores a node's matrix.
std::vector<double> ColumnMajor(const KMath::Matrix4& placement);

} // namespace korrgeom
