#pragma once

#include <KorrGeomCore/KorrGeomCoreExport.h>

namespace KMath {

// A pair of doubles; used for surface parameters and texture-coordinate settings.
class KORRGEOMCORE_EXPORT Vector2 {
public:
    double x = 0.0; // the first number (u for surface parameters)
    double y = 0.0; // the second number (v for surface parameters)

    // (0, 0).
    Vector2() = default;
    // (x_, y_).
    Vector2(double x_, double y_) : x(x_), y(y_) {}

    // Exactly equal, number by number.
    bool operator==(const Vector2& other) const { return x == other.x && y == other.y; }
    // Not exactly equal.
    bool operator!=(const Vector2& other) const { return !(*this == other); }

    // (0, 0): no offset.
    static const Vector2 ZERO;
    // (1, 1): no scaling.
    static const Vector2 UNIT_SCALE;
};

} // namespace KMath
