#pragma once

#include <string>

#include "Exchange/WorkerCalls/WorkerCall.h"
#include "Internal/Protocol/FileFormat.h"

namespace KorrCore::Xde {

// What a file is being given to the worker for, as the outcome tells it.
struct WorkerTask {
    FileFormat format;
    bool reading;
    const std::string& path;
};

// Records why a worker run did not succeed (see Succeeded): not started,
// stopped at the time limit or by the host, a result beyond the memory limit,
// a crash, or the reason the worker stated as it failed.
void RecordFailedRun(const WorkerRun& run, const WorkerTask& task, const WorkerOptions& options);

} // namespace KorrCore::Xde
