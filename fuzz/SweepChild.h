#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "SweepOutcome.h"

namespace KorrFuzz {

// What a child process tells its parent about the input it inspected.
struct ChildReport {
    Outcome outcome = Outcome::Crash;
    std::string detail;
    int kernelExceptions = 0;
    std::string firstKernelException;
    // The child's peak address space.
    std::size_t peakBytes = 0;
};

// One line on the report pipe.
std::string Encode(const ChildReport& report);
std::optional<ChildReport> Decode(const std::string& line);

// The child's whole life: limits its address space to `memoryBytes` (0: no
// limit), reads `bytes` as a BRep file through ReadBrepFile, inspects the
// shape as a host would, writes the report to `reportFd` and exits. With
// `quiet`, what the kernel prints goes nowhere.
[[noreturn]] void RunChild(const std::string& bytes, int reportFd, std::size_t memoryBytes, bool quiet);

// The peak address space of a running process (0 once it has ended).
std::size_t PeakBytesOf(int pid);

} // namespace KorrFuzz
