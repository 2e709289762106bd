#pragma once

#include <TopLoc_Location.hxx>
#include <gp_Trsf.hxx>

#include <KorrGeomCore/Platform/Matrix4.h>

namespace KorrCore {

// The kernel takes any invertible matrix as a transformation, but silently
// turns one it cannot represent into a different one (a shear is dropped,
// diag(2, 1, 1) becomes a uniform scale by the cube root of 2): matrices are
// screened here before they reach it.

// True when the upper 3x3 block is s * R with R orthogonal (a rotation, or a
// rotation with a reflection) and s non-zero: exactly the transformations the
// kernel represents. NaN entries fail every comparison and are refused.
bool IsScaledRotation(const KMath::Matrix4& matrix);
// True when the matrix only turns and moves: a scaled rotation of scale 1
// without reflection, as an assembly places its parts.
bool IsRigidMotion(const KMath::Matrix4& matrix);

// The kernel transformation of the matrix's upper three rows; raises
// RefusedArgument for a non-finite entry. Screen the matrix first.
gp_Trsf MatrixTransformation(const KMath::Matrix4& matrix);

// The location as a matrix, row-major with the translation in the fourth column.
KMath::Matrix4 LocationMatrix(const TopLoc_Location& location);

} // namespace KorrCore
