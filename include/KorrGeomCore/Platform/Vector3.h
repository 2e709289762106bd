#pragma once

#include <KorrGeomCore/KorrGeomCoreExport.h>

namespace KMath {

// A point or direction in model space: three doubles, laid out x, y, z.
class KORRGEOMCORE_EXPORT Vector3 {
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    Vector3() = default;
    Vector3(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

    Vector3 operator+(const Vector3& other) const { return {x + other.x, y + other.y, z + other.z}; }
    Vector3 operator-(const Vector3& other) const { return {x - other.x, y - other.y, z - other.z}; }
    Vector3 operator*(double factor) const { return {x * factor, y * factor, z * factor}; }
    bool operator==(const Vector3& other) const { return x == other.x && y == other.y && z == other.z; }
    bool operator!=(const Vector3& other) const { return !(*this == other); }

    double length() const;
    double dotProduct(const Vector3& other) const { return x * other.x + y * other.y + z * other.z; }
    // Right-handed: this x other.
    Vector3 crossProduct(const Vector3& other) const;
    // Scales to unit length in place and returns the former length; a zero
    // vector stays zero.
    double normalise();

    static const Vector3 ZERO;
    static const Vector3 UNIT_X;
    static const Vector3 UNIT_Y;
    static const Vector3 UNIT_Z;
};

inline Vector3 operator*(double factor, const Vector3& v) { return v * factor; }

} // namespace KMath
