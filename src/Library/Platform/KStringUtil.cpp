#include <KorrGeomCore/Platform/KStringUtil.h>

namespace KorrCore {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c))
        c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The code point starting at narrow[i], advancing i past it; U+FFFD for a
// malformed, overlong or truncated sequence (one byte is consumed then).
char32_t DecodeUtf8(const std::string& narrow, std::size_t& i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(narrow[k]); };
    const unsigned char lead = byte(i);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > narrow.size()) {
        ++i;
        return length == 1 ? lead : kReplacement;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c)) {
        ++i;
        return kReplacement;
    }
    i += length;
    return c;
}

} // namespace

std::wstring KStringUtil::a2w(const std::string& narrow)
{
    std::wstring wide;
    wide.reserve(narrow.size());
    for (std::size_t i = 0; i < narrow.size();)
        wide += static_cast<wchar_t>(DecodeUtf8(narrow, i));
    return wide;
}

std::string KStringUtil::w2a(const std::wstring& wide)
{
    std::string narrow;
    narrow.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t c = static_cast<char32_t>(wide[i]) & 0xFFFFFFFFu;
        // Hosts that build paths from UTF-16 text may hand over surrogate pairs.
        if (IsHighSurrogate(c) && i + 1 < wide.size() && IsLowSurrogate(static_cast<char32_t>(wide[i + 1]))) {
            const char32_t low = static_cast<char32_t>(wide[++i]);
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(narrow, c);
    }
    return narrow;
}

} // namespace KorrCore
