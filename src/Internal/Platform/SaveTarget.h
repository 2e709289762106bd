#pragma once

#include <optional>
#include <string>

namespace KorrCore {

// The file a save to `target` replaces, following symbolic links as the
// system would (see ReplaceFile); nothing, after recording WriteFailed, when
// the path leads to anything but a regular file or a name not yet taken.
std::optional<std::string> FileToReplace(const std::string& target);

// The folder a path names its file in: "." for a bare name.
std::string FolderOf(const std::string& path);

} // namespace KorrCore
