#include "FileFormats/Brep/Cursor.h"

#include <charconv>
#include <cmath>

#include <Precision.hxx>

#include "Core/ModelScale.h"

namespace KorrCore::BrepScreen {

namespace {

// The reader extracts words into buffers of 255 characters; real files never
// come near this length.
constexpr std::size_t kMaxTokenLength = 128;

bool IsTokenChar(char c) { return c > ' ' && c < 0x7F; }

// from_chars takes no leading '+', which the reader's conversions accept.
std::string_view WithoutPlus(std::string_view token)
{
    if (token.size() > 1 && token[0] == '+' && token[1] != '-' && token[1] != '+')
        token.remove_prefix(1);
    return token;
}

} // namespace

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool ParseInt(std::string_view token, std::int64_t low, std::int64_t high, std::int64_t& value)
{
    token = WithoutPlus(token);
    const char* end = token.data() + token.size();
    const auto [stop, error] = std::from_chars(token.data(), end, value);
    return error == std::errc() && stop == end && low <= value && value <= high;
}

bool Cursor::Token(std::string_view& token)
{
    while (position < text.size() && IsSpace(text[position]))
        ++position;
    const std::size_t begin = position;
    while (position < text.size() && !IsSpace(text[position])) {
        if (!IsTokenChar(text[position]))
            return false;
        ++position;
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

bool Cursor::Real(double& value) { return Number(value) && std::abs(value) < kLargestModelMagnitude; }

bool Cursor::Range()
{
    double bounds[2] = {0, 0};
    for (double& bound : bounds)
        if (!Number(bound) || !(std::abs(bound) < kLargestModelMagnitude || std::abs(bound) == Precision::Infinite()))
            return false;
    return bounds[0] <= bounds[1];
}

bool Cursor::Reals(std::int64_t count)
{
    double ignored = 0;
    for (std::int64_t i = 0; i < count; ++i)
        if (!Real(ignored))
            return false;
    return true;
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
