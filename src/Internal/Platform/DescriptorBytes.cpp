#include "Internal/Platform/FileBytes.h"

#include <cerrno>
#include <unistd.h>

namespace KorrCore {

std::optional<std::string> DescriptorBytes(int descriptor, std::size_t expectedSize)
{
    std::string bytes;
    bytes.reserve(expectedSize);
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = ::read(descriptor, chunk, sizeof chunk);
        if (got == 0)
            return bytes;
        if (got < 0 && errno != EINTR)
            return std::nullopt;
        if (got > 0)
            bytes.append(chunk, static_cast<std::size_t>(got));
    }
}

} // namespace KorrCore
