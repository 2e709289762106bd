#include "Platform/FileBytes.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace KorrCore {

namespace {

// Closes the descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

std::optional<std::string> RegularFileBytes(const std::string& path)
{
    // Non-blocking, so that opening a pipe does not wait for a writer.
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    struct stat status {};
    if (file.fd < 0 || ::fstat(file.fd, &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return DescriptorBytes(file.fd, static_cast<std::size_t>(status.st_size));
}

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
