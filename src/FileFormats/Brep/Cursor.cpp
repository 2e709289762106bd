#include "FileFormats/Brep/Cursor.h"

#include <array>
#include <charconv>
#include <cmath>

#include <Precision.hxx>

#include "Core/ModelScale.h"
#include "FileFormats/Brep/Decimal.h"

namespace KorrCore::BrepScreen {

namespace {

// The reader extracts words into buffers of 255 characters; real files never
// come near this length.
constexpr std::size_t kMaxTokenLength = 128;
// Integers of up to this many digits are read by hand; longer ones go to the
// exact conversion, which refuses those beyond 64 bits.
constexpr std::size_t kMaxQuickIntDigits = 18;
// Two approximate bounds further apart than this, relative to their size,
// are ordered as their exact values are.
constexpr double kOrderingMargin = 1e-12;

enum CharClass : unsigned char { kOther, kSpace, kTokenChar };

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

unsigned char ClassOf(char c) { return kClasses[static_cast<unsigned char>(c)]; }

// from_chars takes no leading '+', which the reader's conversions accept.
std::string_view WithoutPlus(std::string_view token)
{
    if (token.size() > 1 && token[0] == '+' && token[1] != '-' && token[1] != '+')
        token.remove_prefix(1);
    return token;
}

bool WithinModelScale(double value) { return std::abs(value) < kLargestModelMagnitude; }

} // namespace

bool IsSpace(char c) { return ClassOf(c) == kSpace; }

bool ParseInt(std::string_view token, std::int64_t low, std::int64_t high, std::int64_t& value)
{
    token = WithoutPlus(token);
    const char* end = token.data() + token.size();
    const auto [stop, error] = std::from_chars(token.data(), end, value);
    return error == std::errc() && stop == end && low <= value && value <= high;
}

void Cursor::SkipSpace()
{
    while (position < text.size() && ClassOf(text[position]) == kSpace)
        ++position;
}

bool Cursor::Token(std::string_view& token)
{
    SkipSpace();
    const std::size_t begin = position;
    for (; position < text.size(); ++position) {
        const unsigned char kind = ClassOf(text[position]);
        if (kind == kSpace)
            break;
        if (kind != kTokenChar)
            return false;
    }
    token = text.substr(begin, position - begin);
    return !token.empty() && token.size() <= kMaxTokenLength;
}

bool Cursor::Word(std::string_view expected)
{
    std::string_view token;
    return Token(token) && token == expected;
}

bool Cursor::Int(std::int64_t low, std::int64_t high, std::int64_t& value)
{
    SkipSpace();
    std::size_t end = position;
    const bool negative = end < text.size() && text[end] == '-';
    if (end < text.size() && (text[end] == '-' || text[end] == '+'))
        ++end;
    const std::size_t firstDigit = end;
    std::int64_t magnitude = 0;
    for (; end < text.size() && text[end] >= '0' && text[end] <= '9'; ++end)
        magnitude = magnitude * 10 + (text[end] - '0');
    const std::size_t digits = end - firstDigit;
    if (digits > 0 && digits <= kMaxQuickIntDigits && (end == text.size() || IsSpace(text[end]))) {
        position = end;
        value = negative ? -magnitude : magnitude;
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
    std::string_view token;
    // Only the plain digits: the reader's boolean extraction refuses anything else.
    if (!Token(token) || (token != "0" && token != "1"))
        return false;
    value = token == "1";
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
    const char* end = token.data() + token.size();
    // The general format refuses hexadecimal, and NaN and infinities fail the
    // callers' bounds.
    const auto [stop, error] = std::from_chars(token.data(), end, value);
    return error == std::errc() && stop == end;
}

bool Cursor::ModelNumber(double* value, bool& exact)
{
    SkipSpace();
    Decimal number;
    const std::size_t length = ScanDecimal(text, position, number);
    if (length != 0 && length <= kMaxTokenLength) {
        const Decimal::Scale scale = number.Magnitude();
        if (scale == Decimal::Scale::Outside)
            return false;
        if (scale == Decimal::Scale::Inside) {
            position += length;
            if (value)
                *value = number.Approximate();
            exact = false;
            return true;
        }
    }
    exact = true;
    double converted = 0;
    if (!Number(converted) || !WithinModelScale(converted))
        return false;
    if (value)
        *value = converted;
    return true;
}

bool Cursor::Real(double& value) { return Number(value) && WithinModelScale(value); }

bool Cursor::Reals(std::int64_t count)
{
    bool exact = false;
    for (std::int64_t i = 0; i < count; ++i)
        if (!ModelNumber(nullptr, exact))
            return false;
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
    const std::size_t begin = position;
    if (ModelNumber(&value, exact))
        return true;
    // Beyond the model scale only the kernel's infinity is allowed.
    position = begin;
    exact = true;
    return Number(value) && std::abs(value) == Precision::Infinite();
}

bool Cursor::Range()
{
    double bounds[2] = {0, 0};
    bool exact[2] = {true, true};
    std::size_t begins[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        SkipSpace();
        begins[i] = position;
        if (!RangeBound(bounds[i], exact[i]))
            return false;
    }
    const double size = std::max(std::abs(bounds[0]), std::abs(bounds[1]));
    if ((!exact[0] || !exact[1]) && std::abs(bounds[1] - bounds[0]) <= kOrderingMargin * size) {
        // Too close for the approximations to order: convert both exactly.
        const std::size_t end = position;
        for (int i = 0; i < 2; ++i) {
            position = begins[i];
            Number(bounds[i]);
        }
        position = end;
    }
    return bounds[0] <= bounds[1];
}

bool Cursor::BlankRestOfLine(std::size_t maxLength)
{
    const std::size_t begin = position;
    while (position < text.size() && text[position] != '\n') {
        if (!IsSpace(text[position]))
            return false;
        ++position;
    }
    if (position == text.size() || position - begin > maxLength)
        return false;
    ++position;
    return true;
}

bool Cursor::Line(std::size_t maxLength, std::string_view& line)
{
    const std::size_t end = text.find('\n', position);
    if (end == std::string_view::npos || end - position > maxLength)
        return false;
    line = text.substr(position, end - position);
    position = end + 1;
    return true;
}

bool Cursor::AtEnd() const
{
    for (std::size_t i = position; i < text.size(); ++i)
        if (!IsSpace(text[i]))
            return false;
    return true;
}

} // namespace KorrCore::BrepScreen
