#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace KorrCore {

// The whole content of a regular file, read once; nothing for a path that
// cannot be opened or names anything else (a directory, a pipe, a device). A
// pipe is refused without waiting for a writer.
std::optional<std::string> RegularFileBytes(const std::string& path);
// Everything left to read from the descriptor, up to its end (room for
// `expectedSize` bytes is made at once); nothing when a read fails.
std::optional<std::string> DescriptorBytes(int descriptor, std::size_t expectedSize = 0);

} // namespace KorrCore
