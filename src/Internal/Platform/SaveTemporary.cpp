#include "Internal/Platform/SaveTemporary.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>

namespace KorrCore {

namespace {

// A short name, so that it fits wherever the target's name fits.
std::string TemporaryName(long pid, unsigned long number)
{
    return ".korrgeom-" + std::to_string(pid) + "-" + std::to_string(number) + ".tmp";
}

// The process that made a temporary of this name; nothing for another name.
std::optional<pid_t> MakerOf(const char* name)
{
    long pid = 0;
    unsigned long number = 0;
    if (std::sscanf(name, ".korrgeom-%ld-%lu.tmp", &pid, &number) != 2 || pid <= 0 ||
        pid > std::numeric_limits<pid_t>::max() || TemporaryName(pid, number) != name)
        return std::nullopt;
    return static_cast<pid_t>(pid);
}

// Removes the temporary when its maker is gone. The process id alone could
// mislead: a process that reused it looks alive (which only puts the removal
// off), and a process in another process namespace, or on another machine
// sharing the folder, looks dead while it still writes; the lock it holds
// tells.
void RemoveIfAbandoned(const std::string& path, pid_t maker)
{
    if (::kill(maker, 0) == 0 || errno != ESRCH)
        return;
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (file.Open() && ::fstat(file.Get(), &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
        ::flock(file.Get(), LOCK_EX | LOCK_NB) == 0)
        ::unlink(path.c_str());
}

} // namespace

SaveTemporary MakeSaveTemporary(const std::string& folder)
{
    static std::atomic<unsigned long> counter{0};
    SaveTemporary made;
    for (int attempt = 0; attempt < 100; ++attempt) {
        made.path = folder + "/" + TemporaryName(::getpid(), counter.fetch_add(1));
        // 0666 less the process's umask, as for any new file.
        made.file = Descriptor(::open(made.path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        made.error = made.file.Open() ? 0 : errno;
        if (made.error != EEXIST)
            break;
    }
    // Where the file system has no locks, the living maker's id still keeps the file.
    if (made.file.Open())
        ::flock(made.file.Get(), LOCK_EX | LOCK_NB);
    return made;
}

void RemoveAbandonedTemporaries(const std::string& folder)
{
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), ::closedir);
    if (!listing)
        return;
    while (const dirent* entry = ::readdir(listing.get()))
        if (const std::optional<pid_t> maker = MakerOf(entry->d_name))
            RemoveIfAbandoned(folder + "/" + entry->d_name, *maker);
}

} // namespace KorrCore
