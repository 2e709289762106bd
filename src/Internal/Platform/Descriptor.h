#pragma once

#include <unistd.h>
#include <utility>

namespace KorrCore {

// An open file descriptor, closed on every way out.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd(std::exchange(other.fd, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        std::swap(fd, other.fd);
        return *this;
    }
    ~Descriptor() { Close(); }

    void Close()
    {
        if (fd >= 0)
            ::close(std::exchange(fd, -1));
    }
    int Get() const { return fd; }
    bool Open() const { return fd >= 0; }

private:
    int fd = -1;
};

} // namespace KorrCore
