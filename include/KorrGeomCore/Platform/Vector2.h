#pragma once

#include <KorrGeomCore/KorrGeomCoreExport.h>

namespace KMath {

// A pair of doubles; used for surface parameters and texture-coordinate settings.
class KORRGEOMCORE_EXPORT Vector2 {
public:
    double x = 0.0;
    double y = 0.0;

    Vector2() = default;
    Vector2(double x_, double y_) : x(x_), y(y_) {}

    bool operator==(const Vector2& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Vector2& other) const { return !(*this == other); }

    static const Vector2 ZERO;
    static const Vector2 UNIT_SCALE;
};

} // namespace KMath
