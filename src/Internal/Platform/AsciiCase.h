#pragma once

#include <string>

namespace KorrCore {

// The text with its ASCII letters in lower case and every other character as
// it was, so that file name extensions compare alike whatever locale the host
// set: towlower under a Turkish one turns the "I" of ".IGS" into a dotless i.
inline std::wstring AsciiLower(std::wstring text)
{
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
}

} // namespace KorrCore
