#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/Service/KExchangeFileService.h>
#include <KorrGeomCore/Service/KFileBatch.h>

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>

#include "Exchange/Service/BatchProgress.h"
#include "Exchange/Service/LibraryServices.h"
#include "Exchange/WorkerCalls/ResidentWorker.h"
#include "Internal/Platform/Outcome.h"

namespace KorrCore {

namespace {

// With a handler, a file's load is taken as half its work.
constexpr double kLoadShareBesideHandler = 0.5;

std::shared_ptr<KBrepFileService> FreshServiceFor(const std::wstring& path, const KBatchOptions& options)
{
    for (const std::shared_ptr<KBrepFileService>& service : LibraryServices()) {
        if (!FilterNames(service->GetFileFilter(), path))
            continue;
        if (auto* exchange = dynamic_cast<KExchangeFileService*>(service.get())) {
            if (options.TimeLimit.count() > 0)
                exchange->SetTimeLimit(options.TimeLimit);
            if (options.MemoryLimit > 0)
                exchange->SetMemoryLimit(options.MemoryLimit);
        }
        return service;
    }
    return nullptr;
}

KBatchFile Load(const std::wstring& path, const KBatchOptions& options, KProgressIndicator* indicator)
{
    KBatchFile file{path, nullptr, {}};
    if (const std::shared_ptr<KBrepFileService> service = FreshServiceFor(path, options)) {
        service->SetProgressIndicator(indicator);
        file.Shape = service->LoadFileUncached(path);
    } else {
        const std::string name = KStringUtil::w2a(path);
        SetOutcome(KOutcomeCode::FileForeign, "no file service of the library reads files named like " + name, name);
    }
    file.Outcome = KLastOutcome();
    return file;
}

KOutcome NotBegun(const std::wstring& path)
{
    const std::string name = KStringUtil::w2a(path);
    return {KOutcomeCode::Cancelled, "loading " + name + " was not begun: the batch was stopped", name, {}};
}

} // namespace

std::vector<KBatchFile> KFileBatch::LoadFiles(const std::vector<std::wstring>& paths, const KBatchOptions& options,
                                              const Handler& handler)
{
    std::vector<KBatchFile> files(paths.size());
    // Every file's service is new, so the batch keeps the worker for them.
    const std::shared_ptr<Xde::ResidentWorker> worker = Xde::ResidentWorker::Shared();
    const unsigned workers = options.Workers > 0 ? options.Workers : std::max(1u, std::thread::hardware_concurrency());
    const auto threads = static_cast<unsigned>(std::min<std::size_t>(workers, paths.size()));
    BatchProgress progress(options.Progress, paths.size(), threads, handler ? kLoadShareBesideHandler : 1.0);
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stopped{false};
    std::exception_ptr handlerFailure;
    std::mutex failing;

    const auto work = [&](unsigned slot) {
        for (std::size_t i = next++; i < paths.size(); i = next++) {
            if (stopped || progress.Cancelled()) {
                files[i] = {paths[i], nullptr, NotBegun(paths[i])};
                continue;
            }
            files[i] = Load(paths[i], options, progress.Slot(slot));
            try {
                if (handler) {
                    handler(i, files[i]);
                    files[i].Shape = nullptr;
                }
            } catch (...) {
                const std::lock_guard<std::mutex> lock(failing);
                if (!handlerFailure)
                    handlerFailure = std::current_exception();
                stopped = true;
            }
            progress.FileDone(slot);
        }
    };
    std::vector<std::thread> running;
    for (unsigned slot = 1; slot < threads; ++slot)
        running.emplace_back(work, slot);
    work(0);
    for (std::thread& thread : running)
        thread.join();
    if (handlerFailure)
        std::rethrow_exception(handlerFailure);
    if (!progress.Cancelled())
        progress.Finish();
    SetOk();
    return files;
}

} // namespace KorrCore
