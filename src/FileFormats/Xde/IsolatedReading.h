#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include <KorrGeomCore/KorrGeomCoreExchangeExport.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

#include "FileFormats/Xde/FileFormat.h"

namespace KorrCore::Xde {

struct IsolatedReadOptions {
    // The worker is killed when it takes longer, and may use this much
    // address space.
    std::chrono::milliseconds timeLimit{120000};
    std::uint64_t memoryLimit = std::uint64_t{4} << 30;
    // Polled several times a second while the worker runs; true stops it.
    std::function<bool()> cancelled;
    // Each step the worker starts ("read", "convert", "send") with percent -1,
    // and the kernel's percentage within "read".
    std::function<void(std::string_view step, int percent)> progress;
};

// Reads a STEP or IGES file through the kernel's XCAF translators in the
// korrgeom-translate worker process, so that a translator crash or hang ends
// only the worker. The shape comes back as BRep text, read here after the
// same screen as BRep files, with the names and colours the file gives its
// assemblies, parts and sub-shapes attached to the handle. Null for anything
// but a whole translation: a missing or unreadable file, a damaged one, a
// crash, a time-out, cancellation.
KORRGEOMCOREEXCHANGE_EXPORT ShapePtr ReadInWorker(FileFormat format, const std::string& path,
                                                  const IsolatedReadOptions& options);

} // namespace KorrCore::Xde
