#include "Internal/Brep/Cursor.h"

#include <array>
#include <charconv>
#include <cmath>

#include <Precision.hxx>

#include "Internal/Brep/Decimal.h"
#include "Internal/Core/ModelScale.h"

namespace KorrCore::BrepScreen {

namespace {

// The reader extracts words into buffers of 255 characters; real files never
// come near this length.
constexpr std::ptrdiff_t kMaxTokenLength = 128;
// Integers of up to this many digits are read by hand; longer ones go to the
// exact conversion, which refuses those beyond 64 bits.
constexpr std::ptrdiff_t kMaxQuickIntDigits = 18;
// Two approximate bounds further apart than this, relative to their size,
// are ordered as their exact values are.
constexpr double kOrderingMargin = 1e-12;

enum CharClass : unsigned char { kOther, kSpace, kTokenChar };

// What tokens are made of (printable ASCII other than the space), what
// separates them, and everything else, looked up in one step.
constexpr std::array<unsigned char, 256> MakeClasses()
{
    std::array<unsigned char, 256> classes{};
    for (int c = '!'; c < 0x7F; ++c)
        classes[c] = kTokenChar;
    for (char c : {' ', '\t', '\n', '\v', '\f', '\r'})
        classes[static_cast<unsigned char>(c)] = kSpace;
    return classes;
}

constexpr std::array<unsigned char, 256> kClasses = MakeClasses();

unsigned char ClassOf(char c)
{
    return kClasses[static_cast<unsigned char>(c)];
}

bool IsDigit(char c)
{
    return static_cast<unsigned char>(c - '0') <= 9;
}

// "[+-]digits" from p on, at most 18 digits, ending at white space or `end`;
// returns where it ends, or null for anything else, which the exact
// conversion then judges.
[[gnu::always_inline]] inline const char* QuickInt(const char* p, const char* end, std::int64_t& value)
{
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+'))
        ++p;
    const char* const digits = p;
    // Unsigned, so that the digits past the 18th wrap harmlessly before the
    // count refuses them.
    std::uint64_t magnitude = 0;
    for (; p != end && IsDigit(*p); ++p)
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(*p - '0');
    if (p == digits || p - digits > kMaxQuickIntDigits || (p != end && !IsSpace(*p)))
        return nullptr;
    value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    return p;
}

// from_chars takes no leading '+', which the reader's conversions accept.
std::string_view WithoutPlus(std::string_view token)
{
    if (token.size() > 1 && token[0] == '+' && token[1] != '-' && token[1] != '+')
        token.remove_prefix(1);
    return token;
}

bool WithinModelScale(double value)
{
    return std::abs(value) < kLargestModelMagnitude;
}

} // namespace

bool ParseInt(std::string_view token, std::int64_t low, std::int64_t high, std::int64_t& value)
{
    const char* const end = token.data() + token.size();
    if (QuickInt(token.data(), end, value) == end)
        return low <= value && value <= high;
    token = WithoutPlus(token);
    const auto [stop, error] = std::from_chars(token.data(), end, value);
    return error == std::errc() && stop == end && low <= value && value <= high;
}

// The walks below step a local pointer: the text's characters may alias the
// cursor itself, so stepping the member would store it at every character.

void Cursor::SkipSpace()
{
    const char* p = at;
    while (p != end && IsSpace(*p))
        ++p;
    at = p;
}

bool Cursor::Token(std::string_view& token)
{
    SkipSpace();
    const char* const start = at;
    const char* p = start;
    for (unsigned char kind = 0; p != end && (kind = ClassOf(*p)) != kSpace; ++p)
        if (kind != kTokenChar)
            return false;
    at = p;
    token = std::string_view(start, static_cast<std::size_t>(p - start));
    return p != start && p - start <= kMaxTokenLength;
}

bool Cursor::Word(std::string_view expected)
{
    std::string_view token;
    return Token(token) && token == expected;
}

bool Cursor::Int(std::int64_t low, std::int64_t high, std::int64_t& value)
{
    SkipSpace();
    if (const char* const stop = QuickInt(at, end, value)) {
        at = stop;
        return low <= value && value <= high;
    }
    std::string_view token;
    return Token(token) && ParseInt(token, low, high, value);
}

bool Cursor::Int(std::int64_t low, std::int64_t high)
{
    std::int64_t ignored = 0;
    return Int(low, high, ignored);
}

bool Cursor::Flag(bool& value)
{
    SkipSpace();
    // Only the plain digits: the reader's boolean extraction refuses anything else.
    if (at == end || (*at != '0' && *at != '1') || (at + 1 != end && !IsSpace(at[1])))
        return false;
    value = *at == '1';
    ++at;
    return true;
}

bool Cursor::Flag()
{
    bool ignored = false;
    return Flag(ignored);
}

bool Cursor::Number(double& value)
{
    std::string_view token;
    if (!Token(token))
        return false;
    token = WithoutPlus(token);
    const char* stop = token.data() + token.size();
    // The general format refuses hexadecimal, and NaN and infinities fail the
    // callers' bounds.
    const auto [last, error] = std::from_chars(token.data(), stop, value);
    return error == std::errc() && last == stop;
}

bool Cursor::ModelNumber(double* value, bool& exact)
{
    SkipSpace();
    Decimal number;
    const char* const stop = value ? ScanDecimal<true>(at, end, number) : ScanDecimal<false>(at, end, number);
    if (stop && stop - at <= kMaxTokenLength) {
        const Decimal::Scale scale = number.Magnitude();
        if (scale == Decimal::Scale::Outside)
            return false;
        if (scale == Decimal::Scale::Inside) {
            at = stop;
            if (value)
                *value = number.Approximate();
            exact = false;
            return true;
        }
    }
    return ExactModelNumber(value, exact);
}

bool Cursor::ExactModelNumber(double* value, bool& exact)
{
    exact = true;
    double converted = 0;
    if (!Number(converted) || !WithinModelScale(converted))
        return false;
    if (value)
        *value = converted;
    return true;
}

bool Cursor::Real(double& value)
{
    SkipSpace();
    Decimal number;
    const char* const stop = ScanDecimal<true>(at, end, number);
    if (stop && stop - at <= kMaxTokenLength && number.ApproximatesExactly()) {
        at = stop;
        value = number.Approximate();
        return WithinModelScale(value);
    }
    return Number(value) && WithinModelScale(value);
}

bool Cursor::Reals(std::int64_t count)
{
    // The screen's innermost loop: most numbers of a file pass through here.
    const char* p = at;
    for (std::int64_t i = 0; i < count; ++i) {
        while (p != end && IsSpace(*p))
            ++p;
        const char* const stop = ScanPlainlyInside(p, end);
        if (stop && stop - p <= kMaxTokenLength) {
            p = stop;
            continue;
        }
        at = p;
        bool exact = true;
        if (!ModelNumber(nullptr, exact))
            return false;
        p = at;
    }
    at = p;
    return true;
}

bool Cursor::NearReals(double* values, int count)
{
    bool exact = false;
    for (int i = 0; i < count; ++i)
        if (!ModelNumber(&values[i], exact))
            return false;
    return true;
}

bool Cursor::RangeBound(double& value, bool& exact)
{
    SkipSpace();
    Decimal number;
    const char* const stop = ScanDecimal<true>(at, end, number);
    if (stop && stop - at <= kMaxTokenLength && number.Magnitude() == Decimal::Scale::Inside) {
        at = stop;
        value = number.Approximate();
        exact = number.ApproximatesExactly();
        return true;
    }
    // Beyond the model scale only the kernel's infinity is allowed.
    exact = true;
    return Number(value) && (WithinModelScale(value) || std::abs(value) == Precision::Infinite());
}

bool Cursor::Range()
{
    double bounds[2] = {0, 0};
    bool exact[2] = {true, true};
    const char* const start = at;
    if (!RangeBound(bounds[0], exact[0]) || !RangeBound(bounds[1], exact[1]))
        return false;
    const double size = std::max(std::abs(bounds[0]), std::abs(bounds[1]));
    if ((!exact[0] || !exact[1]) && std::abs(bounds[1] - bounds[0]) <= kOrderingMargin * size) {
        // Too close for the approximations to order: convert both exactly.
        const char* const after = at;
        at = start;
        Number(bounds[0]);
        Number(bounds[1]);
        at = after;
    }
    return bounds[0] <= bounds[1];
}

bool Cursor::BlankRestOfLine(std::size_t maxLength)
{
    const char* const start = at;
    for (; at != end && *at != '\n'; ++at)
        if (!IsSpace(*at))
            return false;
    if (at == end || static_cast<std::size_t>(at - start) > maxLength)
        return false;
    ++at;
    return true;
}

bool Cursor::Line(std::size_t maxLength, std::string_view& line)
{
    const char* stop = at;
    while (stop != end && *stop != '\n')
        ++stop;
    if (stop == end || static_cast<std::size_t>(stop - at) > maxLength)
        return false;
    line = std::string_view(at, static_cast<std::size_t>(stop - at));
    at = stop + 1;
    return true;
}

bool Cursor::AtEnd() const
{
    for (const char* p = at; p != end; ++p)
        if (!IsSpace(*p))
            return false;
    return true;
}

} // namespace KorrCore::BrepScreen
