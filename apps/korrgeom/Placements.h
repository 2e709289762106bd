#pragma once

#include <vector>

#include <KorrGeomCore/Platform/Matrix4.h>

namespace korrgeom {

// Affine placements as the library gives them: row-major, the linear part in
// the upper left 3x3 block, the translation in the fourth column.

bool IsIdentity(const KMath::Matrix4& placement);

// The placement that carries what `from` placed to where `to` places it:
// to * inverse(from). `from` must be invertible, as every location is.
KMath::Matrix4 Relative(const KMath::Matrix4& to, const KMath::Matrix4& from);

// The 16 entries column by column, as glTF stores a node's matrix.
std::vector<double> ColumnMajor(const KMath::Matrix4& placement);

} // namespace korrgeom
