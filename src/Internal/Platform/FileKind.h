#pragma once

#include <sys/stat.h>

namespace KorrCore {

// What a file's mode makes it, as a sentence names it: "a folder", "a pipe".
inline const char* KindOfFile(mode_t mode)
{
    if (S_ISREG(mode))
        return "a regular file";
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a pipe";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISLNK(mode))
        return "a symbolic link";
    return "a file of an unknown kind";
}

} // namespace KorrCore
