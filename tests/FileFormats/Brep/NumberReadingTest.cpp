// The screen reads numbers by hand, a digit at a time, to keep pace with the
// file, and leaves only those it cannot settle to the standard conversion.
// Its two quick readings must pass exactly the tokens their contracts name,
// end where the token ends, and carry digits and exponents that denote the C
// library's double; the cursor built on them must convert bit for bit as the
// C library converts (the kernel's reader calls it) and refuse whatever the
// library refuses or lies beyond the screen's bounds. Each token stands at
// the very end of its text, right before a page the process may not read (a
// read past it crashes in every build), or with digits lying past that end,
// or followed by another token.

#include "support/Checks.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <regex>
#include <sys/mman.h>
#include <unistd.h>

#include "Internal/Brep/Cursor.h"
#include "Internal/Brep/Decimal.h"
#include "Internal/Core/ModelScale.h"

using namespace KorrCore::BrepScreen;

namespace {

// Where doubles stop holding every integer, where the quick integer reading
// hands over, and where 64-bit integers end.
const char* const kEdges[] = {"9007199254740991",    "9007199254740992",    "9007199254740993",   "999999999999999999",
                              "1000000000000000000", "9223372036854775807", "9223372036854775808"};

// The token's parts as written, read by the standard library's regular expressions.
struct Written {
    bool number = false;
    long integerDigits = 0, fractionDigits = 0, significant = 0, exponentDigits = 0, exponent = 0;
};

Written Read(const std::string& token)
{
    static const std::regex decimal(R"([+-]?(\d*)(?:\.(\d*))?(?:[eE]([+-]?)(\d+))?)");
    std::smatch parts;
    Written w;
    if (!std::regex_match(token, parts, decimal) || parts.length(1) + parts.length(2) == 0)
        return w;
    const std::string digits = parts.str(1) + parts.str(2);
    const std::size_t first = digits.find_first_not_of('0');
    w.number = true;
    w.integerDigits = parts.length(1), w.fractionDigits = parts.length(2), w.exponentDigits = parts.length(4);
    w.significant = first == std::string::npos ? 0 : static_cast<long>(digits.size() - first);
    // Longer exponents are refused anyway.
    w.exponent = parts.length(4) ? std::stol(parts.str(4).substr(0, 9)) * (parts.str(3) == "-" ? -1 : 1) : 0;
    return w;
}

// The cursor's Real, Reals and Int on `text`, whose first token is `token`.
void CursorReadsAsTheCLibrary(const std::string& token, std::string_view text, int i)
{
    char* stop = nullptr;
    errno = 0;
    const double expected = std::strtod(token.c_str(), &stop);
    // Longer tokens are refused, well within the reader's 255-character buffers.
    const auto fills = [&](const char* end) { return *end == '\0' && token.size() <= 128; };
    // Too small for a double: the kernel's reader reads 0, which the screen may pass or refuse.
    const bool vanishes = errno == ERANGE && expected == 0;
    const bool inside = fills(stop) && std::abs(expected) < KorrCore::kLargestModelMagnitude;
    Cursor exact(text), checked(text), counted(text);
    double value = 0;
    const bool converted = exact.Real(value), passed = checked.Reals(1);
    EXPECT_TRUE(vanishes || converted == inside) << token;
    EXPECT_TRUE(vanishes || passed == inside) << token;
    EXPECT_TRUE(!converted || std::memcmp(&value, &expected, sizeof value) == 0) << token;
    EXPECT_TRUE(!converted || exact.Offset() == token.size()) << token;
    EXPECT_TRUE(!passed || checked.Offset() == token.size()) << token;

    errno = 0;
    const long long integer = std::strtoll(token.c_str(), &stop, 10);
    // Bounds the quick integer reading meets as often as the careful one.
    const std::int64_t low = i % 2 ? INT64_MIN : -999999, high = i % 2 ? INT64_MAX : 999999;
    const bool within = fills(stop) && errno == 0 && low <= integer && integer <= high;
    std::int64_t read = 0;
    EXPECT_EQ(counted.Int(low, high, read), within) << token;
    EXPECT_TRUE(!within || read == integer) << token;
    EXPECT_TRUE(!within || counted.Offset() == token.size()) << token;
}

// The text placed to end where an unreadable page begins; the pages stay
// mapped for the test program's life.
const char* BeforeAGuardPage(const std::string& text)
{
    static const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    static char* const pages = [] {
        auto* mapped =
            static_cast<char*>(::mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        ::mprotect(mapped + page, page, PROT_NONE);
        return mapped;
    }();
    return static_cast<const char*>(std::memcpy(pages + page - text.size(), text.data(), text.size()));
}

} // namespace

TEST(BrepNumbers, ReadAsTheCLibraryReadsThemOrNotAtAll)
{
    std::mt19937_64 random(20261208);
    const auto pick = [&](std::size_t count) { return static_cast<std::size_t>(random() % count); };
    const auto digits = [&](std::size_t most) {
        std::string text(pick(most + 1), '0');
        for (char& digit : text)
            digit = static_cast<char>('0' + pick(10));
        return text;
    };
    for (int i = 0; i < (1 << 20) && !HasFailure(); ++i) {
        // Leading zeros now and then past the token limit; every digit count.
        std::string token = std::string(pick(3) == 0, "-+"[pick(2)]) +
                            std::string(pick(4) == 0 ? (pick(8) == 0 ? 120 : pick(4)) : 0, '0');
        token += pick(8) == 0 ? kEdges[pick(std::size(kEdges))] : digits(pick(3) == 0 ? 20 : 12);
        if (pick(2) == 0)
            token += "." + digits(pick(3) == 0 ? 20 : 8);
        if (pick(2) == 0)
            token += std::string(1, "eE"[pick(2)]) + std::string(pick(2), "-+"[pick(2)]) +
                     std::string(pick(5) == 0 ? pick(3) : 0, '0') + std::to_string(pick(pick(4) == 0 ? 400 : 25));
        if (pick(16) == 0) // a stray mark anywhere
            token.insert(pick(token.size() + 1), 1, ".e+-# "[pick(6)]);
        const std::string after = i % 3 == 0 ? "" : i % 3 == 1 ? "987" : " 9", held = token + after;
        const char* const begin = BeforeAGuardPage(held);
        const char* const end = begin + (after[0] == ' ' ? held.size() : token.size());
        const std::string spaced = token.substr(0, token.find(' '));
        const Written w = Read(spaced);
        const char* const tokenEnd = begin + spaced.size();

        // At most 11 digits before the point, leading zeros counted, once the exponent is applied.
        const bool plain = w.number && w.exponentDigits <= 4 && w.integerDigits + w.exponent < 12;
        EXPECT_EQ(ScanPlainlyInside(begin, end), plain ? tokenEnd : nullptr) << token << after;

        if (!spaced.empty()) // an empty text holds no token to compare
            CursorReadsAsTheCLibrary(spaced, std::string_view(begin, static_cast<std::size_t>(end - begin)), i);

        Decimal with, without;
        const char* const stopWith = ScanDecimal<true>(begin, end, with);
        const char* const stopWithout = ScanDecimal<false>(begin, end, without);
        const bool fits = w.number && w.exponentDigits <= 4 && std::labs(w.exponent - w.fractionDigits) <= 280;
        EXPECT_EQ(stopWith != nullptr, fits && w.significant <= 19) << token << after;
        EXPECT_EQ(stopWithout != nullptr, fits && w.significant <= 280) << token << after;
        if (!stopWith)
            continue;
        EXPECT_EQ(stopWith, tokenEnd) << token << after;
        EXPECT_EQ(stopWithout, tokenEnd) << token << after;
        EXPECT_EQ(with.digits, w.significant) << token << after;
        EXPECT_EQ(with.exponent, w.exponent - w.fractionDigits) << token << after;
        EXPECT_EQ(without.digits, w.significant) << token << after;
        EXPECT_EQ(without.exponent, w.exponent - w.fractionDigits) << token << after;
        const double expected = std::strtod(spaced.c_str(), nullptr);
        const double approximate = with.Approximate();
        if (with.ApproximatesExactly()) {
            EXPECT_EQ(std::memcmp(&approximate, &expected, sizeof expected), 0) << token << after;
        }
        EXPECT_NEAR(approximate, expected, 1e-14 * std::abs(expected)) << token << after;
        const Decimal::Scale scale = with.Magnitude();
        EXPECT_TRUE(scale != Decimal::Scale::Inside || std::abs(expected) < 1e12) << token << after;
        EXPECT_TRUE(scale != Decimal::Scale::Outside || std::abs(expected) >= 1e12) << token << after;
    }
}
