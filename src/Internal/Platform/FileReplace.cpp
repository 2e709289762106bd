#include "Internal/Platform/FileReplace.h"

#include <KorrGeomCore/Platform/KOutcome.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Internal/Platform/Outcome.h"
#include "Internal/Platform/SaveTarget.h"
#include "Internal/Platform/SaveTemporary.h"
#include "Internal/Platform/SystemText.h"

namespace KorrCore {

namespace {

// More than a writer's stream buffer: a disk whose last free blocks that
// buffer could not take has no room for this either.
constexpr off_t kProbeBytes = 1 << 16;

// Why the file system refused the writes to the file, or 0 when it did not.
// The writers (the kernel's, or a worker process's) tell only that they
// failed, so a little more of the file is asked for: a full disk, a quota or
// a file size limit refuse that too, and say which.
int FileSystemRefusal(int file)
{
    struct stat status {};
    if (::fstat(file, &status) != 0)
        return errno;
    return ::posix_fallocate(file, status.st_size, kProbeBytes);
}

bool Failed(const std::string& target, const std::string& message, int error)
{
    SetOutcome(KOutcomeCode::WriteFailed, message, target, error ? SystemText(error) : std::string());
    return false;
}

// Flushes a folder to the disk, so that after a crash the renamed file is
// found under its name.
void FlushFolder(const std::string& folder)
{
    const Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Open())
        ::fsync(directory.Get());
}

} // namespace

bool ReplaceFile(const std::string& target, const std::function<bool(const std::string& path)>& write)
{
    const std::optional<std::string> destination = FileToReplace(target);
    if (!destination)
        return false;
    const std::string folder = FolderOf(*destination);
    RemoveAbandonedTemporaries(folder);
    const SaveTemporary temporary = MakeSaveTemporary(folder);
    if (!temporary.file.Open())
        return Failed(target, "Cannot create a file in the folder " + folder + " to save " + target + ".",
                      temporary.error);
    // Cleared, so that a reason the writer records is told as it is.
    SetOk();
    if (!write(temporary.path)) {
        const int refusal = FileSystemRefusal(temporary.file.Get());
        ::unlink(temporary.path.c_str());
        if (refusal != 0 || KLastOutcome().Code == KOutcomeCode::Ok)
            Failed(target, "Cannot write " + target + ".", refusal);
        return false;
    }
    struct stat existing {};
    if (::stat(destination->c_str(), &existing) == 0)
        ::fchmod(temporary.file.Get(), existing.st_mode & 07777);
    // On the disk before it has the target's name, so that a crash cannot leave the name on an empty file.
    ::fsync(temporary.file.Get());
    if (::rename(temporary.path.c_str(), destination->c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.path.c_str());
        return Failed(target, "Cannot put the new file in the place of " + target + ".", error);
    }
    FlushFolder(folder);
    return true;
}

} // namespace KorrCore
