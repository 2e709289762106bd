#include "Exchange/WorkerCalls/WorkerOutcome.h"

#include <KorrGeomCore/Platform/KOutcome.h>

#include <charconv>
#include <csignal>
#include <cstring>
#include <optional>
#include <string_view>

#include "Internal/Platform/Outcome.h"
#include "Internal/Protocol/WorkerProtocol.h"

namespace KorrCore::Xde {

namespace {

using Code = KOutcomeCode;

struct Stated {
    Code code = Code::TranslatorFailed;
    std::string detail;
};

// The reason in the worker's last line, if it stated one.
std::optional<Stated> StatedFailure(std::string_view line)
{
    if (line.substr(0, WorkerProtocol::kFailedLine.size()) != WorkerProtocol::kFailedLine)
        return std::nullopt;
    line.remove_prefix(WorkerProtocol::kFailedLine.size());
    int code = -1;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), code);
    if (error != std::errc() || code < 0 || code > static_cast<int>(Code::TooLarge))
        return std::nullopt;
    line.remove_prefix(static_cast<std::size_t>(end - line.data()));
    return Stated{static_cast<Code>(code), std::string(line.substr(line.empty() ? 0 : 1))};
}

std::string AFileOf(FileFormat format)
{
    return format == FileFormat::Step ? "a STEP file" : "an IGES file";
}

// The sentence for a reason the worker stated.
std::string StatedMessage(Code code, const WorkerTask& task, const WorkerOptions& options)
{
    const std::string& path = task.path;
    switch (code) {
    case Code::FileForeign:
        return path + " is not " + AFileOf(task.format);
    case Code::FileDamaged:
        return path + " is damaged or cut short";
    case Code::OutOfMemory:
    case Code::FileTooLarge:
        return std::string(task.reading ? "reading " : "writing ") + path + " needs more than the translator's " +
               std::to_string(options.memoryLimit) + " bytes of memory";
    case Code::WriteFailed:
        return "the translator cannot write " + path;
    default:
        return std::string("the translator gave nothing ") + (task.reading ? "for " : "to write as ") + path;
    }
}

std::string SignalText(int signal)
{
    const char* name = ::sigdescr_np(signal);
    return std::string(name ? name : "unknown signal") + " (signal " + std::to_string(signal) + ")";
}

} // namespace

void RecordFailedRun(const WorkerRun& run, const WorkerTask& task, const WorkerOptions& options)
{
    const std::string& path = task.path;
    const std::string doing = std::string(task.reading ? "reading " : "writing ") + path;
    switch (run.outcome) {
    case WorkerRun::Outcome::NotStarted:
        return SetOutcome(Code::TranslatorFailed, "the translator could not be started for " + path, path);
    case WorkerRun::Outcome::TimedOut:
        return SetOutcome(Code::TimedOut,
                          doing + " ran past the time limit of " + std::to_string(options.timeLimit.count()) + " ms",
                          path);
    case WorkerRun::Outcome::Cancelled:
        return SetOutcome(Code::Cancelled, doing + " was cancelled by the progress indicator", path);
    case WorkerRun::Outcome::TooLarge:
        return SetOutcome(Code::FileTooLarge,
                          "the translation of " + path + " is larger than the memory limit of " +
                              std::to_string(options.memoryLimit) + " bytes",
                          path);
    case WorkerRun::Outcome::Signalled:
        // The worker's own processor-time limit backs the time limit up.
        if (run.signal == SIGXCPU)
            return SetOutcome(Code::TimedOut, doing + " ran past the time limit", path, SignalText(run.signal));
        return SetOutcome(Code::TranslatorFailed, "the translator crashed " + doing, path, SignalText(run.signal));
    case WorkerRun::Outcome::Exited:
    case WorkerRun::Outcome::Vanished:
        break;
    }
    if (const std::optional<Stated> stated = StatedFailure(run.lastLine))
        return SetOutcome(stated->code, StatedMessage(stated->code, task, options), path, stated->detail);
    SetOutcome(Code::TranslatorFailed, "the translator failed " + doing, path,
               "exit status " + std::to_string(run.exitStatus));
}

} // namespace KorrCore::Xde
