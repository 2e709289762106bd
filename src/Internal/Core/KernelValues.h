#pragma once

#include <Standard_ConstructionError.hxx>
#include <gp_Dir.hxx>
#include <gp_Pnt.hxx>
#include <gp_Vec.hxx>
#include <gp_XYZ.hxx>

#include <cmath>
#include <string>

#include <KorrGeomCore/Platform/Vector3.h>

#include "Internal/Core/Guarded.h"
#include "Internal/Core/ModelScale.h"
#include "Internal/Core/Reasons.h"

namespace KorrCore {

// Every number handed to the kernel passes through here; one out of range
// raises instead, which the frame turns into a null result whose outcome
// names the argument (`name`) and its value.
inline double ToReal(double value, const char* name = "a number")
{
    if (!(std::abs(value) < kLargestModelMagnitude))
        throw RefusedArgument(std::string(name) + " must be finite and below 1e12 in magnitude, got " + Shown(value));
    return value;
}

// Conversions between the interface's vectors and the kernel's.
inline gp_XYZ ToXYZ(const KMath::Vector3& v, const char* name = "a point or vector")
{
    if (!(std::abs(v.x) < kLargestModelMagnitude && std::abs(v.y) < kLargestModelMagnitude &&
          std::abs(v.z) < kLargestModelMagnitude))
        throw RefusedArgument(std::string(name) + " must have finite coordinates below 1e12 in magnitude, got " +
                              Shown(v));
    return gp_XYZ(v.x, v.y, v.z);
}
inline gp_Pnt ToPnt(const KMath::Vector3& v, const char* name = "a point")
{
    return gp_Pnt(ToXYZ(v, name));
}
inline gp_Vec ToVec(const KMath::Vector3& v, const char* name = "a vector")
{
    return gp_Vec(ToXYZ(v, name));
}
// The kernel normalises the direction and refuses a vector of (near) zero
// length.
inline gp_Dir ToDir(const KMath::Vector3& v, const char* name = "a direction")
{
    const gp_XYZ xyz = ToXYZ(v, name);
    try {
        return gp_Dir(xyz);
    } catch (const Standard_ConstructionError&) {
        throw RefusedArgument(std::string(name) + " must have a length, got " + Shown(v));
    }
}
inline KMath::Vector3 ToVector3(const gp_XYZ& xyz)
{
    return KMath::Vector3(xyz.X(), xyz.Y(), xyz.Z());
}

} // namespace KorrCore
