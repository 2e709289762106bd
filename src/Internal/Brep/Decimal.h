#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "Internal/Brep/Cursor.h"
#include "Internal/Core/ModelScale.h"

namespace KorrCore::BrepScreen {

// A decimal number as written, read digit by digit: significand * 10^exponent.
// Reading it costs a fraction of a correctly rounded conversion, and its
// digits and exponent alone settle almost every question the screen asks of
// a number; the few they leave open go to the exact conversion.
struct Decimal {
    std::uint64_t significand = 0; // when asked for
    int digits = 0;                // significant ones: leading zeros not counted
    int exponent = 0;
    bool negative = false;

    enum class Scale { Inside, Outside, Undecided };
    // Whether the double the text denotes is below the model scale in
    // magnitude (Core/ModelScale.h), when the digits settle it.
    Scale Magnitude() const;
    // The value to within a few units in the last place of the double the
    // text denotes; needs the significand.
    double Approximate() const;
    // Approximate() is exactly the double the text denotes: the significand
    // and the power of ten are doubles exactly, and one correctly rounded
    // operation joins them.
    bool ApproximatesExactly() const
    {
        return significand <= (std::uint64_t{1} << 53) && exponent >= -22 && exponent <= 22;
    }
};

// A decimal number filling the whole token that starts at `p` and lying well
// inside the model scale: at most 11 digits before the point, counting
// leading zeros, once the exponent is applied. Returns where the token ends,
// or null when the number is anything else, including a number the careful
// reading below passes. The screen's innermost loop: most numbers of a file
// come through here.
const char* ScanPlainlyInside(const char* p, const char* end);

// Reads "[+-]digits[.digits][(e|E)[+-]digits]" filling the whole token that
// starts at `p` (the token ends at white space or at `end`), with its
// significand or without. Returns where the token ends, or null when it is
// anything else or holds more digits (with the significand) or a larger
// exponent than fit the fields above: the caller then decides with the exact
// conversion.
template <bool WithSignificand> const char* ScanDecimal(const char* p, const char* end, Decimal& number);

// ---- implementation: the screen's innermost loop, inlined where it runs.

namespace DecimalDetail {

// Beyond these the quick reading gives way to the exact conversion.
constexpr int kMaxDigits = 19; // what a 64-bit significand holds
constexpr int kMaxExponentDigits = 4;
constexpr int kMaxExponent = 280; // far from the doubles' underflow and overflow
// The model scale is 10^12 exactly.
constexpr int kModelScaleExponent = 12;
static_assert(kLargestModelMagnitude == 1e12);

inline bool IsDigit(char c)
{
    return static_cast<unsigned char>(c - '0') <= 9;
}

// Where the digits from p on end. Eight bytes at a time where the text
// allows: a byte is a digit when its high half is 3 and adding 6 leaves it so
// (a carry out of a byte above 0xF9 can only end the run early, which sends
// the number to the careful reading).
[[gnu::always_inline]] inline const char* SkipDigits(const char* p, const char* end)
{
    constexpr std::uint64_t kHighHalves = 0xF0F0F0F0F0F0F0F0, kThrees = 0x3030303030303030;
    constexpr std::uint64_t kSixes = 0x0606060606060606;
    for (std::uint64_t eight = 0; end - p >= 8; p += 8) {
        std::memcpy(&eight, p, 8);
        const std::uint64_t others = ((eight & kHighHalves) ^ kThrees) | (((eight + kSixes) & kHighHalves) ^ kThrees);
        if (others != 0) // little-endian: the lowest set bit lies in the first non-digit
            return p + __builtin_ctzll(others) / 8;
    }
    while (p != end && IsDigit(*p))
        ++p;
    return p;
}

// Adds the digits from p on to the significand; returns where they end.
inline const char* TakeDigits(const char* p, const char* end, std::uint64_t& significand)
{
    for (; p != end && IsDigit(*p); ++p)
        significand = significand * 10 + static_cast<std::uint64_t>(*p - '0');
    return p;
}

template <bool WithSignificand> const char* Digits(const char* p, const char* end, Decimal& number)
{
    if constexpr (WithSignificand)
        return TakeDigits(p, end, number.significand);
    else
        return SkipDigits(p, end);
}

} // namespace DecimalDetail

inline Decimal::Scale Decimal::Magnitude() const
{
    using namespace DecimalDetail;
    if (digits == 0)
        return Scale::Inside;
    // The number lies in [10^(digits - 1 + exponent), 10^(digits + exponent)).
    const int order = digits + exponent;
    if (order < kModelScaleExponent)
        return Scale::Inside; // below 10^11: even rounded up, far below the scale
    if (order - 1 >= kModelScaleExponent)
        return Scale::Outside; // at least 10^12, which doubles hold exactly
    return Scale::Undecided;   // near enough that rounding may decide
}

[[gnu::always_inline]] inline const char* ScanPlainlyInside(const char* p, const char* end)
{
    using namespace DecimalDetail;
    if (p != end && (*p == '-' || *p == '+'))
        ++p;
    const char* const integerPart = p;
    p = SkipDigits(p, end);
    const long integerDigits = p - integerPart;
    long anyDigit = integerDigits;
    if (p != end && *p == '.') {
        const char* const fraction = ++p;
        p = SkipDigits(p, end);
        anyDigit += p - fraction;
    }
    if (anyDigit == 0)
        return nullptr;
    int exponent = 0;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        const bool negative = p != end && *p == '-';
        if (p != end && (*p == '+' || *p == '-'))
            ++p;
        const char* const exponentDigits = p;
        for (; p != end && IsDigit(*p) && p - exponentDigits < kMaxExponentDigits; ++p)
            exponent = exponent * 10 + (*p - '0');
        if (p == exponentDigits)
            return nullptr;
        exponent = negative ? -exponent : exponent;
    }
    if (p != end && !IsSpace(*p))
        return nullptr;
    // Below 10^11 even with every leading zero counted.
    return integerDigits + exponent < kModelScaleExponent ? p : nullptr;
}

template <bool WithSignificand> const char* ScanDecimal(const char* p, const char* end, Decimal& number)
{
    using namespace DecimalDetail;
    number = Decimal();
    if (p != end && (*p == '+' || *p == '-'))
        number.negative = *p++ == '-';

    // Leading zeros, then the significant digits of the integer part.
    const char* const integerPart = p;
    while (p != end && *p == '0')
        ++p;
    const char* significant = p;
    p = Digits<WithSignificand>(p, end, number);
    long digits = p - significant;
    bool anyDigit = p != integerPart;
    if (p != end && *p == '.') {
        const char* const fraction = ++p;
        // Without significant digits so far, zeros after the point only scale.
        if (digits == 0) {
            while (p != end && *p == '0')
                ++p;
            number.exponent -= static_cast<int>(std::min<long>(p - fraction, kMaxExponent + 1));
        }
        significant = p;
        p = Digits<WithSignificand>(p, end, number);
        digits += p - significant;
        number.exponent -= static_cast<int>(std::min<long>(p - significant, kMaxExponent + 1));
        anyDigit = anyDigit || p != fraction;
    }
    // Beyond 19 digits the significand has wrapped, and so many digits are no
    // number the screen passes anyway: the exact conversion decides.
    if (!anyDigit || digits > (WithSignificand ? kMaxDigits : kMaxExponent))
        return nullptr;
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
            return nullptr;
        number.exponent += negativeExponent ? -written : written;
    }
    if (number.exponent > kMaxExponent || number.exponent < -kMaxExponent)
        return nullptr;
    if (p != end && !IsSpace(*p))
        return nullptr;
    return p;
}

} // namespace KorrCore::BrepScreen
