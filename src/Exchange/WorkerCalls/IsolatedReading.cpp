#include "Exchange/WorkerCalls/IsolatedReading.h"

#include <KorrGeomCore/TopoShape/KTopoShapeImpl.h>

#include <algorithm>
#include <memory>
#include <string>

#include "Exchange/WorkerCalls/WorkerOutcome.h"
#include "Internal/Brep/BrepText.h"
#include "Internal/Core/Guarded.h"
#include "Internal/Core/ShapeAccess.h"
#include "Internal/Platform/FileBytes.h"
#include "Internal/Platform/MemoryBound.h"
#include "Internal/Platform/Outcome.h"
#include "Internal/Protocol/TranslationMessage.h"
#include "Internal/Protocol/WorkerProtocol.h"

namespace KorrCore::Xde {

namespace {

// A message the worker sent as done but that does not hold what it should
// gives no shape, and says so about the file.
ShapePtr Undelivered(const std::string& path)
{
    SetOutcome(KOutcomeCode::TranslatorFailed, "the translator's result for " + path + " did not come through whole",
               path, KLastOutcome().Message);
    return nullptr;
}

ShapePtr ShapeFromMessage(const std::string& message, const std::string& path)
{
    const std::optional<DecodedTranslation> decoded = DecodeTranslation(message);
    if (!decoded)
        return Undelivered(path);
    // The text passes the same screen as any BRep file a host reads, straight
    // from the message.
    ShapePtr shape = ReadBrepText(decoded->brep, "the translator's BRep text");
    if (!shape)
        return Undelivered(path);
    std::optional<ShapeAttributes> attributes = AttributesOn(KernelShape(shape), *decoded);
    if (!attributes)
        return Undelivered(path);
    KTopoShapeImpl::SetAttributes(shape.get(), std::make_shared<const ShapeAttributes>(std::move(*attributes)));
    return shape;
}

} // namespace

ShapePtr ReadInWorker(FileFormat format, const std::string& path, const WorkerOptions& options)
{
    return Guarded([&]() -> ShapePtr {
        // Opened here so that only a regular file reaches the worker: a pipe
        // or a device would keep it waiting until the time limit. The
        // translators hold the whole file in memory, and more besides, so a
        // file larger than the worker may use is not worth starting it for.
        struct stat status {};
        const Descriptor file = OpenRegularFile(path, status);
        const std::uint64_t bound = std::min(options.memoryLimit, ObtainableMemory());
        if (!file.Open() || !FitsInMemory(path, static_cast<std::uint64_t>(status.st_size), bound))
            return nullptr;
        const WorkerRun run = CallWorker(WorkerProtocol::kReadCommand, format, file.Get(), -1, options);
        if (!Succeeded(run)) {
            RecordFailedRun(run, WorkerTask{format, true, path}, options);
            return nullptr;
        }
        ShapePtr shape = ShapeFromMessage(run.result, path);
        if (shape)
            SetOk();
        return shape;
    });
}

} // namespace KorrCore::Xde
