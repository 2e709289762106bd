#pragma once

#include <chrono>
#include <cstdint>
#include <memory>

#include <KorrGeomCore/KorrGeomCoreExchangeExport.h>
#include <KorrGeomCore/Service/KBrepFileService.h>

namespace KorrCore {

// A file service of the Exchange library (KStepFileService,
// KIgesFileService): the kernel's translator reads and writes the files in a
// worker process of the library's (korrgeom-translate, installed with it), so
// that a translator crashing or running away on a damaged file ends only the
// worker, never the host. What comes back passes the same checks as a BRep
// file before the host sees it.
//
// Loading gives one shape whose structure is the file's assembly: a compound
// per assembly holding located uses of one shape per part, so that a part
// placed many times (bolts, nuts) is one shape placed many times, which
// KShapeMesher meshes once. Lengths are in millimetres. Product and instance
// names and the colours of parts, solids and faces come with it (see
// KShapeAttributes). A missing, damaged, cut short or foreign file gives a
// null shape; so does a load that runs past the time limit or is cancelled.
//
// The worker starts with the first load or save and stays, ready, while any
// Exchange service lives (KFileBatch keeps it for its batch): each file is
// then translated by a fresh copy of it, made for that file alone, so that
// nothing of one file reaches the next and a crash ends only that copy. A
// worker that has died is replaced at the next file. Once the last service
// is destroyed, no process of the library's is left.
class KORRGEOMCOREEXCHANGE_EXPORT KExchangeFileService : public KBrepFileService {
public:
    // The file format a service translates.
    enum class Format { Step, Iges };

    ~KExchangeFileService() override;

    ShapePtr OnLoadFile(const std::wstring& path) override;
    // Writes the shapes, with the names and colours they carry, as one file:
    // each shape is a free shape of it (a compound without a product name
    // gives its children), assemblies stay assemblies, with one product per
    // distinct part. Null entries are reported ("NULL TopoShape!") and left
    // out. The file is replaced only once the new one is written whole: a
    // save that fails reports "Failed to save file!", a cancelled one nothing,
    // and either leaves any previous file as it was, byte for byte.
    void SaveFile(const ShapeList& shapes, const std::wstring& path) override;

    // The longest a load or save may take before its worker is stopped; two
    // minutes unless set.
    void SetTimeLimit(std::chrono::milliseconds limit) { timeLimit = limit; }
    std::chrono::milliseconds GetTimeLimit() const { return timeLimit; }
    // The address space the worker may use, in bytes; 4 GiB unless set.
    // That loads STEP files of up to some 450 MB: a 213 MB assembly of 1,394
    // distinct filleted parts peaked at 1.7 GiB of address space in the
    // worker (and the host at another 0.5 GB while it read the result). The
    // limit is the worker's alone, so a machine needs about half as much
    // again free beside it.
    void SetMemoryLimit(std::uint64_t bytes) { memoryLimit = bytes; }
    std::uint64_t GetMemoryLimit() const { return memoryLimit; }

protected:
    // For the services of each format, with the default limits.
    explicit KExchangeFileService(Format format);

private:
    Format format;
    std::chrono::milliseconds timeLimit;
    std::uint64_t memoryLimit;
    // The library's worker, kept while the service lives.
    std::shared_ptr<void> worker;
};

} // namespace KorrCore
