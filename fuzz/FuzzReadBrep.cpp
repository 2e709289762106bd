// Feeds arbitrary bytes to KBrepTools::ReadBrepFile as a file, then inspects
// whatever it returns as a host would. A crash, sanitizer report, leak,
// allocation beyond libFuzzer's -rss_limit_mb or run past its -timeout is a
// finding: the reader must answer every input promptly with a shape or null.

#include <KorrGeomCore/KorrGeomCore.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzInspect.h"

namespace {

// The input as a file the library opens by name, kept in memory.
class MemoryFile {
public:
    MemoryFile() : descriptor(memfd_create("korrfuzz.brep", 0))
    {
        if (descriptor < 0)
            std::abort();
        path = L"/proc/self/fd/" + std::to_wstring(descriptor);
    }
    ~MemoryFile() { close(descriptor); }

    void Fill(const std::uint8_t* bytes, std::size_t size)
    {
        if (ftruncate(descriptor, 0) != 0 || pwrite(descriptor, bytes, size, 0) != static_cast<ssize_t>(size))
            std::abort();
    }
    const std::wstring& Path() const { return path; }

private:
    int descriptor;
    std::wstring path;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    KorrCore::KcAssert::SetReportHandler([](const std::string&, const char*, int) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    static MemoryFile file;
    file.Fill(bytes, size);
    KorrFuzz::Inspect(KorrCore::KBrepTools::ReadBrepFile(file.Path(), nullptr));
    return 0;
}
