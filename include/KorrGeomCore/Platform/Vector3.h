#pragma once

#include <KorrGeomCore/KorrGeomCoreExport.h>

namespace KMath {

// A point or direction in model space: three doubles, laid out x, y, z.
class KORRGEOMCORE_EXPORT Vector3 {
public:
    double x = 0.0; // the x coordinate
    double y = 0.0; // the y coordinate
    double z = 0.0; // the z coordinate

    // The origin.
    Vector3() = default;
    // (x_, y_, z_).
    Vector3(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

    // The sum, coordinate by coordinate.
    Vector3 operator+(const Vector3& other) const { return {x + other.x, y + other.y, z + other.z}; }
    // The difference, coordinate by coordinate.
    Vector3 operator-(const Vector3& other) const { return {x - other.x, y - other.y, z - other.z}; }
    // Each coordinate times factor.
    Vector3 operator*(double factor) const { return {x * factor, y * factor, z * factor}; }
    // Exactly equal, coordinate by coordinate.
    bool operator==(const Vector3& other) const { return x == other.x && y == other.y && z == other.z; }
    // Not exactly equal.
    bool operator!=(const Vector3& other) const { return !(*this == other); }

    // The Euclidean length.
    double length() const;
    // The scalar product.
    double dotProduct(const Vector3& other) const { return x * other.x + y * other.y + z * other.z; }
    // Right-handed: this x other.
    Vector3 crossProduct(const Vector3& other) const;
    // Scales to unit length in place and returns the former length; a zero
    // vector stays zero.
    double normalise();

    static const Vector3 ZERO;   // (0, 0, 0)
    static const Vector3 UNIT_X; // (1, 0, 0)
    static const Vector3 UNIT_Y; // (0, 1, 0)
    static const Vector3 UNIT_Z; // (0, 0, 1)
};

// Each coordinate of v times factor.
inline Vector3 operator*(double factor, const Vector3& v) { return v * factor; }

} // namespace KMath
