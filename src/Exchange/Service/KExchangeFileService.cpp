#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/Service/KExchangeFileService.h>

#include "Exchange/Service/WorkerProgress.h"
#include "Exchange/WorkerCalls/IsolatedReading.h"
#include "Exchange/WorkerCalls/IsolatedWriting.h"
#include "Exchange/WorkerCalls/ResidentWorker.h"
#include "Internal/Core/Frame.h"
#include "Internal/Core/LeftOut.h"
#include "Internal/Platform/FileOutcome.h"
#include "Internal/Platform/Outcome.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "Service/KExchangeFileService";

Xde::FileFormat Translated(KExchangeFileService::Format format)
{
    return format == KExchangeFileService::Format::Step ? Xde::FileFormat::Step : Xde::FileFormat::Iges;
}

} // namespace

KExchangeFileService::KExchangeFileService(Format format)
    : format(format), timeLimit(Xde::WorkerOptions().timeLimit), memoryLimit(Xde::WorkerOptions().memoryLimit),
      worker(Xde::ResidentWorker::Shared())
{
}

KExchangeFileService::~KExchangeFileService() = default;

ShapePtr KExchangeFileService::OnLoadFile(const std::wstring& path)
{
    const std::string file = KStringUtil::w2a(path);
    SetOk();
    Xde::WorkerProgress progress(GetProgressIndicator());
    ShapePtr shape;
    if (!progress.Host().Poll(0.0))
        shape = Xde::ReadInWorker(Translated(format), file, progress.Options(timeLimit, memoryLimit));
    if (progress.Host().Cancelled()) {
        LoadCancelled();
        SetOutcome(KOutcomeCode::Cancelled, "reading " + file + " was cancelled by the progress indicator", file);
        return nullptr;
    }
    if (shape)
        progress.Host().Finish();
    ConcernsFile(file);
    return shape;
}

void KExchangeFileService::SaveFile(const ShapeList& shapes, const std::wstring& path)
{
    const std::string file = KStringUtil::w2a(path);
    SetOk();
    LeftOut leftOut;
    ShapeList held;
    int position = 0;
    for (const ShapePtr& shape : shapes)
        if (KORR_CHECK(leftOut.Held(shape, ++position), "NULL TopoShape!"))
            held.push_back(shape);
    Xde::WorkerProgress progress(GetProgressIndicator());
    const bool saved = !progress.Host().Poll(0.0) &&
                       Xde::WriteInWorker(Translated(format), file, held, progress.Options(timeLimit, memoryLimit));
    if (saved)
        progress.Host().Finish();
    else if (progress.Host().Cancelled())
        SetOutcome(KOutcomeCode::Cancelled, "writing " + file + " was cancelled by the progress indicator", file);
    else
        KORR_CHECK(false, "Failed to save file!");
    ConcernsFile(file);
    leftOut.Told(saved);
}

} // namespace KorrCore
