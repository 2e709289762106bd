#include "Internal/Platform/FileBytes.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <new>

#include "Internal/Platform/FileKind.h"
#include "Internal/Platform/MemoryBound.h"
#include "Internal/Platform/Outcome.h"
#include "Internal/Platform/SystemText.h"

namespace KorrCore {

namespace {

std::optional<std::string> OpenedFileBytes(const std::string& path)
{
    struct stat status {};
    const Descriptor file = OpenRegularFile(path, status);
    const auto size = static_cast<std::uint64_t>(status.st_size);
    if (!file.Open() || !FitsInMemory(path, size, ObtainableMemory()))
        return std::nullopt;
    std::optional<std::string> bytes = DescriptorBytes(file.Get(), static_cast<std::size_t>(size));
    if (!bytes) {
        const int error = errno;
        SetOutcome(KOutcomeCode::FileUnreadable, "Cannot read " + path + ".", path, SystemText(error));
    }
    return bytes;
}

} // namespace

Descriptor OpenRegularFile(const std::string& path, struct stat& status)
{
    // The system would stop reading the name at the NUL and open another file.
    if (path.find('\0') != std::string::npos) {
        SetOutcome(KOutcomeCode::FileUnreadable, "Cannot open " + path + ": the name holds a NUL character.", path);
        return Descriptor();
    }
    // Non-blocking, so that opening a pipe does not wait for a writer.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.Open() || ::fstat(file.Get(), &status) != 0) {
        const int error = errno;
        if (error == ENOENT)
            SetOutcome(KOutcomeCode::FileMissing, "There is no file at " + path + ".", path, SystemText(error));
        else
            SetOutcome(KOutcomeCode::FileUnreadable, "Cannot open " + path + ".", path, SystemText(error));
        return Descriptor();
    }
    if (!S_ISREG(status.st_mode)) {
        SetOutcome(KOutcomeCode::FileUnreadable, path + " is " + KindOfFile(status.st_mode) + ", not a regular file.",
                   path);
        return Descriptor();
    }
    return file;
}

std::optional<std::string> RegularFileBytes(const std::string& path)
{
    try {
        return OpenedFileBytes(path);
    } catch (const std::bad_alloc&) {
        // Short of memory, the sentence may not be made either: the code is told first.
        SetOutcome(KOutcomeCode::OutOfMemory, {});
        try {
            SetOutcome(KOutcomeCode::OutOfMemory, "There is not enough memory to read " + path + ".", path);
        } catch (const std::bad_alloc&) {
        }
        return std::nullopt;
    }
}

} // namespace KorrCore
