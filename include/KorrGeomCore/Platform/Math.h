#pragma once

namespace KMath {

class Math {
public:
    static constexpr double PI = 3.14159265358979323846;
    static constexpr double HALF_PI = PI / 2.0;
    // Multiply an angle in degrees by this to get radians.
    static constexpr double fDeg2Rad = PI / 180.0;
};

} // namespace KMath
