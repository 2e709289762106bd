#pragma once

#include <chrono>
#include <cstdint>

#include "Exchange/WorkerCalls/WorkerCall.h"
#include "Internal/Core/HostProgress.h"

namespace KorrCore::Xde {

// A host's progress indicator as the options of one worker call. The
// kernel's percentage of the translation makes most of the fraction; the
// rest is starting the worker and handing the result over. The host is
// asked about stopping whenever the wait for the worker wakes up (several
// times a second), on the calling thread.
class WorkerProgress {
public:
    explicit WorkerProgress(KProgressIndicator* indicator) : host(indicator) {}

    // Options that report to this object, which must outlive the call.
    WorkerOptions Options(std::chrono::milliseconds timeLimit, std::uint64_t memoryLimit);
    HostProgress& Host() { return host; }

private:
    HostProgress host;
    double fraction = 0.0;
};

} // namespace KorrCore::Xde
