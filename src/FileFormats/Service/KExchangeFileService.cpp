#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/Service/KExchangeFileService.h>

#include "Core/Frame.h"
#include "FileFormats/Service/WorkerProgress.h"
#include "FileFormats/Xde/IsolatedReading.h"
#include "FileFormats/Xde/IsolatedWriting.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "Service/KExchangeFileService";

Xde::FileFormat Translated(KExchangeFileService::Format format)
{
    return format == KExchangeFileService::Format::Step ? Xde::FileFormat::Step : Xde::FileFormat::Iges;
}

} // namespace

KExchangeFileService::KExchangeFileService(Format format)
    : format(format), timeLimit(Xde::WorkerOptions().timeLimit), memoryLimit(Xde::WorkerOptions().memoryLimit)
{
}

KExchangeFileService::~KExchangeFileService() = default;

ShapePtr KExchangeFileService::OnLoadFile(const std::wstring& path)
{
    Xde::WorkerProgress progress(GetProgressIndicator());
    ShapePtr shape;
    if (!progress.Host().Poll(0.0))
        shape = Xde::ReadInWorker(Translated(format), KStringUtil::w2a(path), progress.Options(timeLimit, memoryLimit));
    if (progress.Host().Cancelled()) {
        LoadCancelled();
        return nullptr;
    }
    if (shape)
        progress.Host().Finish();
    return shape;
}

void KExchangeFileService::SaveFile(const ShapeList& shapes, const std::wstring& path)
{
    ShapeList held;
    for (const ShapePtr& shape : shapes)
        if (KORR_CHECK(HoldsShape(shape), "NULL TopoShape!"))
            held.push_back(shape);
    Xde::WorkerProgress progress(GetProgressIndicator());
    const bool saved = !progress.Host().Poll(0.0) && Xde::WriteInWorker(Translated(format), KStringUtil::w2a(path),
                                                                        held, progress.Options(timeLimit, memoryLimit));
    if (saved)
        progress.Host().Finish();
    else if (!progress.Host().Cancelled())
        KORR_CHECK(false, "Failed to save file!");
}

} // namespace KorrCore
