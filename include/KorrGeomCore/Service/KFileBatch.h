#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <KorrGeomCore/KorrGeomCoreExchangeExport.h>
#include <KorrGeomCore/Platform/KOutcome.h>
#include <KorrGeomCore/Platform/KProgressIndicator.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// One file of a batch and what its load gave.
struct KBatchFile {
    // The path as it was given.
    std::wstring Path;
    // Null when the load failed (or when a handler took it, see KFileBatch).
    ShapePtr Shape;
    // The load's outcome, as KLastOutcome would tell it after a LoadFile of
    // the file's service: Ok, or why it failed.
    KOutcome Outcome;
};

// How a batch loads: how many at once, each load's limits, and who hears of
// its progress.
struct KBatchOptions {
    // How many files load at once, each on a thread of its own (a STEP or
    // IGES file with a worker process of its own); 0 for one per core.
    unsigned Workers = 0;
    // The limits of each STEP or IGES load (see KExchangeFileService); 0 for
    // the service's own.
    std::chrono::milliseconds TimeLimit{0};
    std::uint64_t MemoryLimit = 0;
    // Told how much of the whole batch is done, from whichever thread is
    // working, one call at a time (see KProgressIndicator). Cancelling stops
    // the loads under way and starts no more: those files fail as Cancelled.
    // Not owned.
    KProgressIndicator* Progress = nullptr;
};

// Loads many files at once, for hosts that convert folders of them: each by
// a fresh service of the library's for its extension (BRep, STEP, IGES), so
// that nothing is cached or shared between files. A file that fails (missing,
// damaged, foreign, its worker crashed, killed or out of time) fails alone;
// the others load as they would one by one.
class KORRGEOMCOREEXCHANGE_EXPORT KFileBatch {
public:
    // Called on the loading thread as soon as a file's load has ended, failed
    // or not, with the file's position in the list; several threads may call
    // at once. What it does counts as part of the file's work in the batch's
    // progress.
    using Handler = std::function<void(std::size_t index, const KBatchFile& file)>;

    // One entry per path, in the order given. With a handler, each shape is
    // let go once the handler has returned (the entries hold null), so that
    // a batch of any length holds no more shapes than there are workers. An
    // exception from the handler is thrown again from here once every
    // thread has stopped; the files not yet begun are then not loaded.
    static std::vector<KBatchFile> LoadFiles(const std::vector<std::wstring>& paths, const KBatchOptions& options,
                                             const Handler& handler = nullptr);
};

} // namespace KorrCore
