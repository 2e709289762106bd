#include "FileFormats/Brep/Decimal.h"

#include <algorithm>

#include "Core/ModelScale.h"
#include "FileFormats/Brep/Cursor.h"

namespace KorrCore::BrepScreen {

namespace {

// Beyond these the quick reading gives way to the exact conversion.
constexpr int kMaxDigits = 19;           // what a 64-bit significand holds
constexpr int kMaxExponentDigits = 4;
constexpr int kMaxExponent = 280;        // far from the doubles' underflow and overflow

// The model scale is 10^12 exactly.
constexpr int kModelScaleExponent = 12;
static_assert(kLargestModelMagnitude == 1e12);

// Powers of ten that doubles hold exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kLargestExactPower = 22;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Adds the digits from p on to the significand; returns where they end.
const char* TakeDigits(const char* p, const char* end, std::uint64_t& significand)
{
    for (; p != end; ++p) {
        const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
        if (digit > 9)
            break;
        significand = significand * 10 + digit;
    }
    return p;
}

} // namespace

Decimal::Scale Decimal::Magnitude() const
{
    if (significand == 0)
        return Scale::Inside;
    // The number lies in [10^(digits - 1 + exponent), 10^(digits + exponent)).
    const int order = digits + exponent;
    if (order < kModelScaleExponent)
        return Scale::Inside; // below 10^11: even rounded up, far below the scale
    if (order - 1 >= kModelScaleExponent)
        return Scale::Outside; // at least 10^12, which doubles hold exactly
    return Scale::Undecided;   // near enough that rounding may decide
}

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

std::size_t ScanDecimal(std::string_view text, std::size_t position, Decimal& number)
{
    const char* const begin = text.data() + position;
    const char* const end = text.data() + text.size();
    const char* p = begin;
    number = Decimal();
    if (p != end && (*p == '+' || *p == '-'))
        number.negative = *p++ == '-';

    // Leading zeros, then the significant digits of the integer part.
    const char* const integerPart = p;
    while (p != end && *p == '0')
        ++p;
    const char* significant = p;
    p = TakeDigits(p, end, number.significand);
    std::ptrdiff_t digits = p - significant;
    bool anyDigit = p != integerPart;
    if (p != end && *p == '.') {
        const char* const fraction = ++p;
        // Without significant digits so far, zeros after the point only scale.
        if (digits == 0) {
            while (p != end && *p == '0')
                ++p;
            number.exponent -= static_cast<int>(std::min<std::ptrdiff_t>(p - fraction, kMaxExponent + 1));
        }
        significant = p;
        p = TakeDigits(p, end, number.significand);
        digits += p - significant;
        number.exponent -= static_cast<int>(std::min<std::ptrdiff_t>(p - significant, kMaxDigits + 1));
        anyDigit = anyDigit || p != fraction;
    }
    // Beyond 19 digits the significand has wrapped: the exact conversion decides.
    if (!anyDigit || digits > kMaxDigits)
        return 0;
    number.digits = static_cast<int>(digits);

    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negativeExponent = false;
        if (p != end && (*p == '+' || *p == '-'))
            negativeExponent = *p++ == '-';
        const char* const exponentDigits = p;
        int written = 0;
        for (; p != end && IsDigit(*p) && p - exponentDigits < kMaxExponentDigits; ++p)
            written = written * 10 + (*p - '0');
        if (p == exponentDigits || (p != end && IsDigit(*p)))
            return 0;
        number.exponent += negativeExponent ? -written : written;
    }
    if (number.exponent > kMaxExponent || number.exponent < -kMaxExponent)
        return 0;
    if (p != end && !IsSpace(*p))
        return 0;
    return static_cast<std::size_t>(p - begin);
}

} // namespace KorrCore::BrepScreen
