#include "Exchange/Service/WorkerProgress.h"

#include "Internal/Protocol/WorkerProtocol.h"

namespace KorrCore::Xde {

namespace {

// Measured on real files, translation takes nearly all of a call's time.
constexpr double kTranslated = 0.8;
constexpr double kWorkerDone = 0.9;

} // namespace

WorkerOptions WorkerProgress::Options(std::chrono::milliseconds timeLimit, std::uint64_t memoryLimit)
{
    WorkerOptions options;
    options.timeLimit = timeLimit;
    options.memoryLimit = memoryLimit;
    options.cancelled = [this] { return host.Poll(fraction); };
    options.progress = [this](std::string_view step, int percent) {
        if (percent >= 0)
            fraction = kTranslated * percent / 100;
        else if (step == WorkerProtocol::kDoneStep)
            fraction = kWorkerDone;
    };
    return options;
}

} // namespace KorrCore::Xde
