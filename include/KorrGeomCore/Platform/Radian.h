#pragma once

namespace KMath {

// An angle in radians; explicit so that degrees cannot slip in unnoticed.
class Radian {
public:
    // The angle 0.
    Radian() = default;
    // The angle of that many radians.
    explicit Radian(double radians) : value(radians) {}

    // The angle in radians.
    double valueRadians() const { return value; }

private:
    double value = 0.0;
};

} // namespace KMath
