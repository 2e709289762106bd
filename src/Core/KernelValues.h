#pragma once

#include <Standard_ConstructionError.hxx>
#include <gp_Dir.hxx>
#include <gp_Pnt.hxx>
#include <gp_Vec.hxx>
#include <gp_XYZ.hxx>

#include <cmath>

#include <KorrGeomCore/Platform/Vector3.h>

#include "Core/ModelScale.h"

namespace KorrCore {

// Every number handed to the kernel passes through here; one out of range
// raises instead, which the builder frame turns into a null result.
inline double ToReal(double value)
{
    if (!(std::abs(value) < kLargestModelMagnitude))
        throw Standard_ConstructionError("number outside the kernel's finite range");
    return value;
}

// Conversions between the interface's vectors and the kernel's.
inline gp_XYZ ToXYZ(const KMath::Vector3& v)
{
    return gp_XYZ(ToReal(v.x), ToReal(v.y), ToReal(v.z));
}
inline gp_Pnt ToPnt(const KMath::Vector3& v)
{
    return gp_Pnt(ToXYZ(v));
}
inline gp_Vec ToVec(const KMath::Vector3& v)
{
    return gp_Vec(ToXYZ(v));
}
// The kernel normalises the direction and raises Standard_ConstructionError for
// a vector of (near) zero length.
inline gp_Dir ToDir(const KMath::Vector3& v)
{
    return gp_Dir(ToXYZ(v));
}
inline KMath::Vector3 ToVector3(const gp_XYZ& xyz)
{
    return KMath::Vector3(xyz.X(), xyz.Y(), xyz.Z());
}

} // namespace KorrCore
