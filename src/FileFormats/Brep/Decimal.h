#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace KorrCore::BrepScreen {

// A decimal number as written, read digit by digit: significand * 10^exponent.
// Reading it costs a fraction of a correctly rounded conversion, and its
// digits and exponent alone settle almost every question the screen asks of
// a number; the few they leave open go to the exact conversion.
struct Decimal {
    std::uint64_t significand = 0;
    int digits = 0; // in the significand, leading zeros not counted
    int exponent = 0;
    bool negative = false;

    enum class Scale { Inside, Outside, Undecided };
    // Whether the double the text denotes is below the model scale in
    // magnitude (Core/ModelScale.h), when the digits settle it.
    Scale Magnitude() const;
    // The value to within a few units in the last place of the double the
    // text denotes.
    double Approximate() const;
};

// Reads "[+-]digits[.digits][(e|E)[+-]digits]" filling the whole token that
// starts at `position` (the token ends at white space or the end of the
// text). Returns the token's length, or 0 when it is anything else or holds
// more digits or a larger exponent than fit the fields above: the caller
// then decides with the exact conversion.
std::size_t ScanDecimal(std::string_view text, std::size_t position, Decimal& number);

} // namespace KorrCore::BrepScreen
