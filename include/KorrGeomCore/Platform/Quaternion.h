#pragma once

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/Radian.h>
#include <KorrGeomCore/Platform/Vector3.h>

namespace KMath {

// A rotation as a unit quaternion (w, x, y, z).
class KORRGEOMCORE_EXPORT Quaternion {
public:
    double w = 1.0; // the real part: the cosine of half the angle
    double x = 0.0; // the axis's x, times the sine of half the angle
    double y = 0.0; // the axis's y, times the sine of half the angle
    double z = 0.0; // the axis's z, times the sine of half the angle

    // The identity: no rotation.
    Quaternion() = default;
    // The rotation by angle about axis (right-hand rule); the axis need not be
    // of unit length, a zero axis gives the identity.
    Quaternion(const Radian& angle, const Vector3& axis);

    // The rotation as an angle in [0, 2*pi] and a unit axis; the identity
    // gives angle 0 about +X.
    void ToAngleAxis(Radian& angle, Vector3& axis) const;
};

} // namespace KMath
