// The screen reads numbers by hand, a digit at a time, to keep pace with the
// file, and leaves only the numbers it cannot settle to the standard
// conversion. Whatever it passes must convert bit for bit as the C library
// converts it (the kernel's reader calls it) and end where that conversion
// ends; whatever it refuses, the library must refuse too, or it lies beyond
// the screen's bounds. Each token stands at the very end of its text, in a
// buffer exactly as long (the sanitizers flag any read past it), or with
// digits lying past that end, or followed by another token.

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>
#include <random>
#include <string>

#include "Core/ModelScale.h"
#include "FileFormats/Brep/Cursor.h"

using KorrCore::BrepScreen::Cursor;

namespace {

// Longer tokens are refused, well within the reader's 255-character buffers.
constexpr std::size_t kLongestToken = 128;

// Decimal numbers of every length and form the format allows, leading zeros
// long enough to cross the token limit, and now and then a stray mark.
class Tokens {
public:
    std::string Next()
    {
        std::string token;
        Sign(token);
        token.append(Pick(4) == 0 ? Pick(120) : Pick(3), '0');
        if (Pick(8) == 0)
            token += kEdges[Pick(std::size(kEdges))];
        else
            Digits(token, Pick(27));
        if (Pick(2) == 0) {
            token += '.';
            Digits(token, Pick(27));
        }
        if (Pick(2) == 0) {
            token += "eE"[Pick(2)];
            Sign(token);
            token.append(Pick(4) == 0 ? Pick(6) : 0, '0');
            Digits(token, Pick(5));
        }
        if (!token.empty() && Pick(32) == 0)
            token[Pick(token.size())] = "+-.eE"[Pick(5)];
        return token.empty() ? Next() : token; // an empty text holds no token to compare
    }

private:
    // Where doubles stop holding every integer, where the quick integer
    // reading hands over, and where 64-bit integers end.
    static constexpr const char* kEdges[] = {"9007199254740991",    "9007199254740992",    "9007199254740993",
                                             "999999999999999999",  "1000000000000000000", "9223372036854775807",
                                             "9223372036854775808", "9223372036854775809"};

    std::size_t Pick(std::size_t count) { return random() % count; }
    void Sign(std::string& token)
    {
        if (const std::size_t sign = Pick(3); sign < 2)
            token += "-+"[sign];
    }
    void Digits(std::string& token, std::size_t count)
    {
        for (; count > 0; --count)
            token += static_cast<char>('0' + Pick(10));
    }

    std::mt19937_64 random{20240613};
};

std::uint64_t Bits(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace

TEST(BrepCursor, NumbersReadAsTheCLibraryReadsThemOrNotAtAll)
{
    Tokens tokens;
    // Nothing after the token; digits past the text's end; another token.
    const std::string kAfter[] = {"", "987", " 9"};
    for (int i = 0; i < (1 << 20) && !HasFailure(); ++i) {
        const std::string token = tokens.Next(), &after = kAfter[i % 3];
        const std::size_t size = token.size();
        const std::unique_ptr<char[]> bytes(new char[size + after.size()]);
        std::memcpy(bytes.get(), token.data(), size);
        std::memcpy(bytes.get() + size, after.data(), after.size());
        const std::string_view text(bytes.get(), after[0] == ' ' ? size + after.size() : size);

        const auto whole = [&](const char* stop) {
            return size > 0 && size <= kLongestToken && stop == token.c_str() + size;
        };
        char* stop = nullptr;
        errno = 0;
        const double expected = std::strtod(token.c_str(), &stop);
        // Too small for a double: the kernel's reader reads 0, which the
        // screen may pass or refuse.
        const bool vanishes = errno == ERANGE && expected == 0;
        const bool inside = whole(stop) && std::abs(expected) < KorrCore::kLargestModelMagnitude;
        Cursor exact(text), checked(text);
        double value = 0;
        const bool converted = exact.Real(value), passed = checked.Reals(1);
        if (!vanishes) {
            EXPECT_EQ(converted, inside) << token << after;
            EXPECT_EQ(passed, inside) << token << after;
        }
        if (converted) {
            EXPECT_EQ(Bits(value), Bits(expected)) << token << after;
            EXPECT_EQ(exact.Offset(), size) << token << after;
        }
        if (passed) {
            EXPECT_EQ(checked.Offset(), size) << token << after;
        }

        errno = 0;
        const long long integer = std::strtoll(token.c_str(), &stop, 10);
        const bool isInteger = whole(stop) && errno == 0;
        Cursor counted(text);
        std::int64_t read = 0;
        EXPECT_EQ(counted.Int(std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(), read),
                  isInteger)
            << token << after;
        if (isInteger) {
            EXPECT_EQ(read, integer) << token << after;
            EXPECT_EQ(counted.Offset(), size) << token << after;
        }
    }
}
