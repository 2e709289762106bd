#include "Exchange/WorkerCalls/WorkerCall.h"

#include <charconv>

#include "Exchange/WorkerCalls/ResidentWorker.h"
#include "Internal/Protocol/WorkerProtocol.h"

namespace KorrCore::Xde {

namespace {

// Passes the worker's progress lines on as steps and percentages.
void ReportLine(std::string_view line, const WorkerOptions& options)
{
    constexpr std::string_view kStep = "step ", kPercent = "percent ";
    if (line.substr(0, kStep.size()) == kStep) {
        options.progress(line.substr(kStep.size()), -1);
    } else if (line.substr(0, kPercent.size()) == kPercent) {
        int percent = -1;
        const std::string_view digits = line.substr(kPercent.size());
        std::from_chars(digits.data(), digits.data() + digits.size(), percent);
        if (percent >= 0 && percent <= 100)
            options.progress({}, percent);
    }
}

} // namespace

WorkerRun CallWorker(std::string_view command, FileFormat format, int input, int output, const WorkerOptions& options)
{
    WorkerWatch watch;
    watch.timeLimit = options.timeLimit;
    watch.resultLimit = static_cast<std::size_t>(options.memoryLimit);
    watch.cancelled = options.cancelled;
    if (options.progress)
        watch.progressLine = [&options](std::string_view line) { ReportLine(line, options); };
    // Processor time cannot exceed wall-clock time: the worker's own limit
    // only backs the wall clock up should this process be unable to act.
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(options.timeLimit).count() + 1;
    const std::vector<std::string> words{std::string(command), std::string(WorkerProtocol::FormatName(format)),
                                         std::to_string(options.memoryLimit), std::to_string(seconds)};
    // The one the services share, or else one for this call alone.
    const std::shared_ptr<ResidentWorker> resident = ResidentWorker::Shared();
    const WorkerStart start = [&](int in, int out, int progress) {
        return resident->StartCopy(words, in, out, progress);
    };
    return RunWorker(start, input, output, watch);
}

bool Succeeded(const WorkerRun& run)
{
    const bool done = run.lastLine == std::string("step ") + WorkerProtocol::kDoneStep;
    return done && ((run.outcome == WorkerRun::Outcome::Exited && run.exitStatus == 0) ||
                    run.outcome == WorkerRun::Outcome::Vanished);
}

} // namespace KorrCore::Xde
