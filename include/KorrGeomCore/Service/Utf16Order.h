#pragma once

#include <string>

namespace KorrCore {

// Orders wide strings by their UTF-16 code units, case-sensitive and without
// any normalisation, whatever the platform's wide character: where it holds
// whole code points, a character beyond U+FFFF sorts as its surrogate pair
// would (before U+E000..U+FFFF).
struct Utf16Order {
    // Whether left sorts before right.
    bool operator()(const std::wstring& left, const std::wstring& right) const
    {
        const std::size_t common = left.size() < right.size() ? left.size() : right.size();
        for (std::size_t i = 0; i < common; ++i)
            if (left[i] != right[i])
                return Unit(left[i]) < Unit(right[i]) || (Unit(left[i]) == Unit(right[i]) && left[i] < right[i]);
        return left.size() < right.size();
    }

private:
    // The first UTF-16 code unit of a character.
    static unsigned long Unit(wchar_t c)
    {
        const auto code = static_cast<unsigned long>(c);
        return code > 0xFFFF ? 0xD800 + ((code - 0x10000) >> 10) : code;
    }
};

} // namespace KorrCore
