#include "Platform/FileReplace.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace KorrCore {

namespace {

// The file a direct write to `target` would change.
std::string Destination(const std::string& target)
{
    struct stat status {};
    if (::lstat(target.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(target.c_str(), resolved))
            return resolved;
    }
    return target;
}

std::string DirectoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates a new, empty file beside `destination` under a name nobody else
// uses, with the permissions a direct write would give it, and returns its
// path (empty when none can be made).
std::string CreateSibling(const std::string& destination)
{
    static std::atomic<unsigned> counter{0};
    struct stat existing {};
    const bool replacing = ::stat(destination.c_str(), &existing) == 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        // A short name, so that it fits wherever the target's name fits.
        const std::string candidate = DirectoryOf(destination) + "/.korrgeom-" + std::to_string(::getpid()) + "-" +
                                      std::to_string(counter.fetch_add(1)) + ".tmp";
        // 0666 less the process's umask, as for any new file.
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return {};
        }
        if (replacing)
            ::fchmod(fd, existing.st_mode & 07777);
        ::close(fd);
        return candidate;
    }
    return {};
}

// Flushes a file (or directory) to the disk, so that after a crash the renamed
// file is not found empty.
void Flush(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool ReplaceFile(const std::string& target, const std::function<bool(const std::string& path)>& write)
{
    const std::string destination = Destination(target);
    const std::string sibling = CreateSibling(destination);
    if (sibling.empty())
        return false;
    if (!write(sibling)) {
        ::unlink(sibling.c_str());
        return false;
    }
    Flush(sibling);
    if (::rename(sibling.c_str(), destination.c_str()) != 0) {
        ::unlink(sibling.c_str());
        return false;
    }
    Flush(DirectoryOf(destination));
    return true;
}

} // namespace KorrCore
