#include "FileFormats/Xde/IsolatedReading.h"

#include <charconv>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

#include "Core/Guarded.h"
#include "FileFormats/Xde/Descriptor.h"
#include "FileFormats/Xde/TranslationMessage.h"
#include "FileFormats/Xde/WorkerLocation.h"
#include "FileFormats/Xde/WorkerProcess.h"
#include "FileFormats/Xde/WorkerProtocol.h"
#include "TopoShape/BrepText.h"
#include "TopoShape/ShapeAccess.h"

namespace KorrCore::Xde {

namespace {

// Passes the worker's progress lines on as steps and percentages.
void ReportLine(std::string_view line, const IsolatedReadOptions& options)
{
    constexpr std::string_view kStep = "step ", kPercent = "percent ";
    if (line.substr(0, kStep.size()) == kStep) {
        options.progress(line.substr(kStep.size()), -1);
    } else if (line.substr(0, kPercent.size()) == kPercent) {
        int percent = -1;
        const std::string_view digits = line.substr(kPercent.size());
        std::from_chars(digits.data(), digits.data() + digits.size(), percent);
        if (percent >= 0 && percent <= 100)
            options.progress("read", percent);
    }
}

WorkerWatch WatchFor(const IsolatedReadOptions& options)
{
    WorkerWatch watch;
    watch.timeLimit = options.timeLimit;
    watch.resultLimit = static_cast<std::size_t>(options.memoryLimit);
    watch.cancelled = options.cancelled;
    if (options.progress)
        watch.progressLine = [&options](std::string_view line) { ReportLine(line, options); };
    return watch;
}

std::vector<std::string> Arguments(FileFormat format, const IsolatedReadOptions& options)
{
    // Processor time cannot exceed wall-clock time: the worker's own limit
    // only backs the wall clock up should this process be unable to act.
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(options.timeLimit).count() + 1;
    return {std::string(WorkerProtocol::kReadCommand), std::string(WorkerProtocol::FormatName(format)),
            std::to_string(options.memoryLimit), std::to_string(seconds)};
}

ShapePtr ShapeFromMessage(const std::string& message)
{
    const std::optional<DecodedTranslation> decoded = DecodeTranslation(message);
    if (!decoded)
        return nullptr;
    ShapePtr shape = ReadBrepText(decoded->brep);
    if (!shape)
        return nullptr;
    std::optional<ShapeAttributes> attributes = AttributesOn(KernelShape(shape), *decoded);
    if (!attributes)
        return nullptr;
    KTopoShapeImpl::SetAttributes(shape.get(), std::make_shared<const ShapeAttributes>(std::move(*attributes)));
    return shape;
}

} // namespace

ShapePtr ReadInWorker(FileFormat format, const std::string& path, const IsolatedReadOptions& options)
{
    return Guarded([&]() -> ShapePtr {
        // Opened here so that only a regular file reaches the worker: a pipe
        // or a device would keep it waiting until the time limit.
        const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        struct stat status {};
        const std::string program = WorkerProgramPath();
        if (!file.Open() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode) || program.empty())
            return nullptr;
        const WorkerRun run = RunWorker(program, Arguments(format, options), file.Get(), WatchFor(options));
        // A worker reaped by the host leaves no status; its message still
        // tells whether it finished, since the end mark is written last.
        const bool finished = (run.outcome == WorkerRun::Outcome::Exited && run.exitStatus == 0) ||
                              run.outcome == WorkerRun::Outcome::Vanished;
        return finished ? ShapeFromMessage(run.result) : nullptr;
    });
}

} // namespace KorrCore::Xde
