#pragma once

#include <cstring>
#include <locale.h>
#include <string>

namespace KorrCore {

// The system's sentence for an error number ("No space left on device"), in
// English whatever locale the host set, as the outcome's own sentences are.
inline std::string SystemText(int error)
{
    static const locale_t english = ::newlocale(LC_ALL_MASK, "C", locale_t{});
    return english ? ::strerror_l(error, english) : std::strerror(error);
}

} // namespace KorrCore
