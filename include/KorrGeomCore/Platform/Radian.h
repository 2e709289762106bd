#pragma once

namespace KMath {

// An angle in radians; explicit so that degrees cannot slip in unnoticed.
class Radian {
public:
    Radian() = default;
    explicit Radian(double radians) : value(radians) {}

    double valueRadians() const { return value; }

private:
    double value = 0.0;
};

} // namespace KMath
