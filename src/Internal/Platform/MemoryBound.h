#pragma once

#include <cstdint>
#include <string>

namespace KorrCore {

// The most memory this process can ever hold: the least of its address-space
// limit, its data limit and the machine's physical memory.
std::uint64_t ObtainableMemory();

// Whether the file at `path`, of `size` bytes, can be held in `bound` bytes of
// memory; records FileTooLarge when not. A file too large is refused before
// an allocation is tried: one that large may even be granted on paper and end
// the process later, when its pages are touched.
bool FitsInMemory(const std::string& path, std::uint64_t size, std::uint64_t bound);

} // namespace KorrCore
