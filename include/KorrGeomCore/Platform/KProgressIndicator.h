#pragma once

#include <KorrGeomCore/KorrGeomCoreExport.h>

namespace KorrCore {

// A host's view of long work: derive from it to show progress and to offer a
// cancel button, and hand it to the work (KBrepFileService::
// SetProgressIndicator for file services, KMeshOptions::Progress for
// KShapeMesher). The BRep file functions of KBrepTools accept one and never
// call it.
//
// How the library calls it, during one call of a function that takes it:
// - one call at a time, never two at once: on the thread that called the
//   library, except that a mesher working in parallel may call from one of
//   its own threads;
// - about every 50 ms at most while the work runs, then OnProgress(1) once
//   when the work has succeeded; OnProgress first with 0, each later fraction
//   above the one before, none after a cancellation;
// - IsCancelled is asked at those moments too; once it has answered true, the
//   work stops: it returns its failure value (a null shape, false) within
//   about a tenth of a second, leaving nothing half made (no process, file or
//   partial mesh), and asks no more.
// Both should return at once, and must not call into the library. An
// exception thrown from either counts as a request to cancel.
class KORRGEOMCORE_EXPORT KProgressIndicator {
public:
    KProgressIndicator() = default;
    virtual ~KProgressIndicator() = default;

    // The fraction of the work done, from 0 to 1.
    virtual void OnProgress(double /*fraction*/) {}
    // True stops the work.
    virtual bool IsCancelled() { return false; }
};

} // namespace KorrCore
