#include "Internal/Brep/Decimal.h"

namespace KorrCore::BrepScreen {

namespace {

// Powers of ten that doubles hold exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kLargestExactPower = 22;

} // namespace

double Decimal::Approximate() const
{
    double value = static_cast<double>(significand);
    int remaining = exponent;
    for (; remaining > kLargestExactPower; remaining -= kLargestExactPower)
        value *= kExactPowers[kLargestExactPower];
    for (; remaining < -kLargestExactPower; remaining += kLargestExactPower)
        value /= kExactPowers[kLargestExactPower];
    value = remaining >= 0 ? value * kExactPowers[remaining] : value / kExactPowers[-remaining];
    return negative ? -value : value;
}

} // namespace KorrCore::BrepScreen
