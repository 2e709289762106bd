#include "Exchange/WorkerCalls/MemoryFile.h"

#include <cerrno>
#include <sys/mman.h>

namespace KorrCore::Xde {

Descriptor MemoryFile(std::string_view bytes)
{
    Descriptor file(::memfd_create("korrgeom-translation", MFD_CLOEXEC));
    while (file.Open() && !bytes.empty()) {
        const ssize_t written = ::write(file.Get(), bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR)
            return Descriptor();
        if (written > 0)
            bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (file.Open() && ::lseek(file.Get(), 0, SEEK_SET) != 0)
        return Descriptor();
    return file;
}

} // namespace KorrCore::Xde
