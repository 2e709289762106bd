#include "FileFormats/Xde/IsolatedReading.h"

#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/TopoShape/KBrepTools.h>

#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

#include "Core/Guarded.h"
#include "Platform/Descriptor.h"
#include "FileFormats/Xde/TranslationMessage.h"
#include "FileFormats/Xde/WorkerProtocol.h"
#include "FileFormats/Xde/MemoryFile.h"
#include "Core/ShapeAccess.h"

namespace KorrCore::Xde {

namespace {

ShapePtr ShapeFromMessage(const std::string& message)
{
    const std::optional<DecodedTranslation> decoded = DecodeTranslation(message);
    if (!decoded)
        return nullptr;
    // The text passes the same screen as any BRep file a host reads.
    const Descriptor text = MemoryFile(decoded->brep);
    ShapePtr shape = text.Open() ? KBrepTools::ReadBrepFile(KStringUtil::a2w(MemoryFilePath(text)), nullptr) : nullptr;
    if (!shape)
        return nullptr;
    std::optional<ShapeAttributes> attributes = AttributesOn(KernelShape(shape), *decoded);
    if (!attributes)
        return nullptr;
    KTopoShapeImpl::SetAttributes(shape.get(), std::make_shared<const ShapeAttributes>(std::move(*attributes)));
    return shape;
}

} // namespace

ShapePtr ReadInWorker(FileFormat format, const std::string& path, const WorkerOptions& options)
{
    return Guarded([&]() -> ShapePtr {
        // Opened here so that only a regular file reaches the worker: a pipe
        // or a device would keep it waiting until the time limit.
        const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        struct stat status {};
        if (!file.Open() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode))
            return nullptr;
        const WorkerRun run = CallWorker(WorkerProtocol::kReadCommand, format, file.Get(), -1, options);
        return Succeeded(run) ? ShapeFromMessage(run.result) : nullptr;
    });
}

} // namespace KorrCore::Xde
