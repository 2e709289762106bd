#include "Internal/Platform/SaveTarget.h"

#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

#include "Internal/Platform/FileKind.h"
#include "Internal/Platform/Outcome.h"
#include "Internal/Platform/SystemText.h"

namespace KorrCore {

namespace {

// As many links as the system follows in one lookup before it calls the path a loop.
constexpr int kMostLinks = 40;

std::optional<std::string> Refused(const std::string& target, const std::string& cause, std::string detail = {})
{
    SetOutcome(KOutcomeCode::WriteFailed, "Cannot save " + target + ": " + cause + ".", target, std::move(detail));
    return std::nullopt;
}

} // namespace

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::optional<std::string> FileToReplace(const std::string& target)
{
    // The system would stop reading the name at the NUL and save to another file.
    if (target.find('\0') != std::string::npos)
        return Refused(target, "the name holds a NUL character");
    std::string path = target;
    for (int links = 0; links <= kMostLinks; ++links) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0) {
            const int error = errno;
            if (error == ENOENT)
                return path;
            return Refused(target, path + " cannot be looked at", SystemText(error));
        }
        if (S_ISREG(status.st_mode))
            return path;
        if (!S_ISLNK(status.st_mode))
            return Refused(target, (path == target ? "it" : path) + " is " + KindOfFile(status.st_mode) +
                                       ", not a regular file");
        std::string pointee(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), pointee.data(), pointee.size());
        if (length < 0) {
            const int error = errno;
            return Refused(target, "the link " + path + " cannot be read", SystemText(error));
        }
        pointee.resize(static_cast<std::size_t>(length));
        path = !pointee.empty() && pointee.front() == '/' ? pointee : FolderOf(path) + "/" + pointee;
    }
    return Refused(target, "its symbolic links lead round in a loop", SystemText(ELOOP));
}

} // namespace KorrCore
