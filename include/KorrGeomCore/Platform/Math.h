#pragma once

namespace KMath {

// Constants for angles.
class Math {
public:
    // Half a turn in radians.
    static constexpr double PI = 3.14159265358979323846;
    // A quarter turn in radians.
    static constexpr double HALF_PI = PI / 2.0;
    // Multiply an angle in degrees by this to get radians.
    static constexpr double fDeg2Rad = PI / 180.0;
};

} // namespace KMath
