#pragma once

#include <string_view>

#include "Internal/Platform/Descriptor.h"

namespace KorrCore::Xde {

// A file that lives only in memory, holding `bytes` and read from its start;
// not open when it cannot be made. It needs no writer running beside its
// reader, as a pipe would, and leaves nothing on disk.
Descriptor MemoryFile(std::string_view bytes);

} // namespace KorrCore::Xde
