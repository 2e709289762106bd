#pragma once

#include <gp_Dir.hxx>
#include <gp_Pnt.hxx>
#include <gp_Vec.hxx>
#include <gp_XYZ.hxx>

#include <KorrGeomCore/Platform/Vector3.h>

namespace KorrCore {

// Conversions between the interface's vectors and the kernel's.
inline gp_Pnt ToPnt(const KMath::Vector3& v) { return gp_Pnt(v.x, v.y, v.z); }
inline gp_Vec ToVec(const KMath::Vector3& v) { return gp_Vec(v.x, v.y, v.z); }
// The kernel normalises the direction and raises Standard_ConstructionError for
// a vector of (near) zero length.
inline gp_Dir ToDir(const KMath::Vector3& v) { return gp_Dir(v.x, v.y, v.z); }
inline KMath::Vector3 ToVector3(const gp_XYZ& xyz) { return KMath::Vector3(xyz.X(), xyz.Y(), xyz.Z()); }

} // namespace KorrCore
