#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <sys/stat.h>

#include "Internal/Platform/Descriptor.h"

namespace KorrCore {

// A regular file opened for reading, its status filled in; not open, after
// recording the reason as the thread's outcome, for a path that cannot be
// opened or names anything else (a directory, a pipe, a device). A pipe is
// refused without waiting for a writer.
Descriptor OpenRegularFile(const std::string& path, struct stat& status);
// The whole content of a regular file, read once. Nothing, after recording
// the reason, for what OpenRegularFile refuses, for a file larger than the
// memory this process can get, or when memory runs out while reading.
std::optional<std::string> RegularFileBytes(const std::string& path);
// Everything left to read from the descriptor, up to its end (room for
// `expectedSize` bytes is made at once); nothing when a read fails. Running
// out of memory throws std::bad_alloc.
std::optional<std::string> DescriptorBytes(int descriptor, std::size_t expectedSize = 0);

} // namespace KorrCore
