// The screen reads numbers by hand, a digit at a time, to keep pace with the
// file, and leaves only those it cannot settle to the standard conversion.
// Whatever it passes must convert bit for bit as the C library converts it
// (the kernel's reader calls it) and end where that conversion ends; whatever
// it refuses, the library must refuse too, or it lies beyond the screen's
// bounds. Each token stands at the very end of its text, in a buffer exactly
// as long (the sanitizers flag any read past it), or with digits lying past
// that end, or followed by another token.

#include "support/Checks.h"

#include <cerrno>
#include <cstring>
#include <random>

#include "Internal/Brep/Cursor.h"
#include "Internal/Core/ModelScale.h"

// Where doubles stop holding every integer, where the quick integer reading
// hands over, and where 64-bit integers end.
const char* const kEdges[] = {"9007199254740991",    "9007199254740992",    "9007199254740993",   "999999999999999999",
                              "1000000000000000000", "9223372036854775807", "9223372036854775808"};

TEST(BrepCursor, NumbersReadAsTheCLibraryReadsThemOrNotAtAll)
{
    std::mt19937_64 random(20240613);
    const auto pick = [&](std::size_t count) { return static_cast<std::size_t>(random() % count); };
    const auto part = [&](const char* marks, std::size_t most) {
        std::string text(pick(most + 1), ' ');
        for (char& mark : text)
            mark = marks[pick(std::strlen(marks))];
        return text;
    };
    for (int i = 0; i < (1 << 20) && !HasFailure(); ++i) {
        // Sign, leading zeros (now and then past the token limit), digits,
        // fraction, exponent mark, sign and digits, each there or not: every
        // number the format allows, and marks out of place.
        std::string token = part("-+", 1) + part("0", pick(4) == 0 ? 120 : 2);
        token += pick(8) == 0 ? kEdges[pick(std::size(kEdges))] : part("0123456789", 26);
        token += part(".", 1) + part("0123456789", 26) + part("eE", 1) + part("-+", 1) + part("0", 5);
        token += token.empty() ? "7" : part("0123456789", 4); // an empty text holds no token to compare
        // Nothing after the token; digits past the text's end; another token.
        const std::string after = i % 3 == 0 ? "" : i % 3 == 1 ? "987" : " 9", held = token + after;
        const std::vector<char> bytes(held.begin(), held.end()); // allocated exactly as long
        const std::string_view text(bytes.data(), after[0] == ' ' ? held.size() : token.size());
        // Longer tokens are refused, well within the reader's 255-character buffers.
        const auto fills = [&](const char* stop) { return *stop == '\0' && token.size() <= 128; };

        char* stop = nullptr;
        errno = 0;
        const double expected = std::strtod(token.c_str(), &stop);
        // Too small for a double: the kernel's reader reads 0, which the
        // screen may pass or refuse.
        const bool vanishes = errno == ERANGE && expected == 0;
        const bool inside = fills(stop) && std::abs(expected) < KorrCore::kLargestModelMagnitude;
        KorrCore::BrepScreen::Cursor exact(text), checked(text), counted(text);
        double value = 0;
        const bool converted = exact.Real(value), passed = checked.Reals(1);
        EXPECT_TRUE(vanishes || converted == inside) << token << after;
        EXPECT_TRUE(vanishes || passed == inside) << token << after;
        EXPECT_TRUE(!converted || std::memcmp(&value, &expected, sizeof value) == 0) << token << after;
        EXPECT_TRUE(!converted || exact.Offset() == token.size()) << token << after;
        EXPECT_TRUE(!passed || checked.Offset() == token.size()) << token << after;

        errno = 0;
        const long long integer = std::strtoll(token.c_str(), &stop, 10);
        const bool isInteger = fills(stop) && errno == 0;
        std::int64_t read = 0;
        // Bounds the quick integer reading meets as often as the careful one.
        const std::int64_t low = i % 2 ? INT64_MIN : -999999, high = i % 2 ? INT64_MAX : 999999;
        const bool within = isInteger && low <= integer && integer <= high;
        EXPECT_EQ(counted.Int(low, high, read), within) << token << after;
        EXPECT_TRUE(!within || read == integer) << token << after;
        EXPECT_TRUE(!within || counted.Offset() == token.size()) << token << after;
    }
}
