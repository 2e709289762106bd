#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string_view>

#include "Exchange/WorkerCalls/WorkerProcess.h"
#include "Internal/Protocol/FileFormat.h"

namespace KorrCore::Xde {

struct WorkerOptions {
    // The worker is killed when it takes longer, and may use this much
    // address space.
    std::chrono::milliseconds timeLimit{120000};
    std::uint64_t memoryLimit = std::uint64_t{4} << 30;
    // Polled several times a second while the worker runs; true stops it.
    std::function<bool()> cancelled;
    // Each step the worker starts (its name, percent -1), and the kernel's
    // percentage within the step that translates (an empty name).
    std::function<void(std::string_view step, int percent)> progress;
};

// Runs one command of the translation worker (see WorkerProtocol.h) with the
// options' limits and callbacks; `output` is the file it writes, or -1 for
// a result it sends back.
WorkerRun CallWorker(std::string_view command, FileFormat format, int input, int output, const WorkerOptions& options);

// The worker did all it was asked. A host that reaps every child takes the
// worker's status; the worker's last progress line still tells.
bool Succeeded(const WorkerRun& run);

} // namespace KorrCore::Xde
