#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace KorrFuzz {

// The fuzzer's input as a file the library opens by name, kept in memory.
class MemoryFile {
public:
    MemoryFile() : descriptor(memfd_create("korrfuzz-input", 0))
    {
        if (descriptor < 0)
            std::abort();
        path = L"/proc/self/fd/" + std::to_wstring(descriptor);
    }
    ~MemoryFile() { close(descriptor); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    void Fill(const std::uint8_t* bytes, std::size_t size) const
    {
        if (ftruncate(descriptor, 0) != 0 || pwrite(descriptor, bytes, size, 0) != static_cast<ssize_t>(size))
            std::abort();
    }
    const std::wstring& Path() const { return path; }
    // Replaces the content and gives the path to read it by.
    const std::wstring& Holding(const std::string& bytes) const
    {
        Fill(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        return path;
    }

private:
    int descriptor;
    std::wstring path;
};

} // namespace KorrFuzz
