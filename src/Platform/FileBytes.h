#pragma once

#include <optional>
#include <string>

namespace KorrCore {

// The whole content of a regular file, read once; nothing for a path that
// cannot be opened or names anything else (a directory, a pipe, a device). A
// pipe is refused without waiting for a writer.
std::optional<std::string> RegularFileBytes(const std::string& path);

} // namespace KorrCore
