#include "Platform/FileOutcome.h"

#include <KorrGeomCore/Platform/KOutcome.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "Platform/Outcome.h"

namespace KorrCore {

namespace {

bool Explained()
{
    return KLastOutcome().Code != KOutcomeCode::Ok;
}

// The reason a regular file the process can see cannot be read: opening it
// again tells.
std::string OpenError(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return SystemText(errno);
    ::close(fd);
    return {};
}

} // namespace

std::string SystemText(int error)
{
    return std::error_code(error, std::generic_category()).message();
}

void RecordUnreadable(const std::string& path) noexcept
{
    if (Explained())
        return ConcernsFile(path);
    try {
        using Code = KOutcomeCode;
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0) {
            const int error = errno;
            if (error == ENOENT || error == ENOTDIR)
                SetOutcome(Code::FileMissing, "there is no file at " + path, path, SystemText(error));
            else
                SetOutcome(Code::FileUnreadable, "the file " + path + " cannot be reached", path, SystemText(error));
        } else if (S_ISDIR(status.st_mode)) {
            SetOutcome(Code::FileUnreadable, path + " is a directory, not a file", path, SystemText(EISDIR));
        } else if (!S_ISREG(status.st_mode)) {
            SetOutcome(Code::FileUnreadable, path + " is not a regular file but a pipe, device or socket", path);
        } else {
            SetOutcome(Code::FileUnreadable, "the file " + path + " cannot be read", path, OpenError(path));
        }
    } catch (...) {
        SetOutcome(KOutcomeCode::OutOfMemory, {});
    }
}

void RecordUnwritten(const std::string& path, int error) noexcept
{
    if (Explained())
        return ConcernsFile(path);
    try {
        SetOutcome(KOutcomeCode::WriteFailed, "the file " + path + " cannot be written", path, SystemText(error));
    } catch (...) {
        SetOutcome(KOutcomeCode::OutOfMemory, {});
    }
}

void ConcernsFile(const std::string& path) noexcept
{
    const KOutcome& outcome = KLastOutcome();
    if (outcome.Code == KOutcomeCode::Ok || !outcome.Path.empty())
        return;
    try {
        SetOutcome(outcome.Code, outcome.Message, path, outcome.Detail);
    } catch (...) {
    }
}

} // namespace KorrCore
