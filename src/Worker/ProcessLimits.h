#pragma once

#include <cstdint>

namespace KorrCore::Worker {

// Caps this process before it reads anything: its address space (except in a
// build whose sanitizer maps shadow memory up front), its processor time (a
// backstop should its parent fail to stop it) and no core file when it
// crashes.
void LimitThisProcess(std::uint64_t memoryBytes, std::uint64_t cpuSeconds);

} // namespace KorrCore::Worker
