// Feeds arbitrary bytes as a file to a new STEP or IGES file service
// (KORRFUZZ_SERVICE names its class), then asks the names and colours of the
// shape's faces and inspects it as a host would. The translator runs in the
// library's worker process, where a crash or a runaway translation ends the
// worker: the service must give null then. Anything wrong in this process (a
// crash, sanitizer report, leak, a result that fails the inspection, or a
// load that outlasts libFuzzer's -timeout although the worker's own time
// limit is shorter) is a finding.

#include <KorrGeomCore/KorrGeomCore.h>
#include <KorrGeomCore/Service/KIgesFileService.h>
#include <KorrGeomCore/Service/KStepFileService.h>

#include <chrono>
#include <cstdint>

#include "FuzzInspect.h"
#include "FuzzMemoryFile.h"

namespace {

// Well below the -timeout scripts/fuzz gives libFuzzer (10 s), which covers
// loading, inspecting and meshing together.
constexpr std::chrono::seconds kWorkerTimeLimit{4};

void AskEveryFace(const KorrCore::ShapePtr& shape)
{
    KorrCore::ShapeList faces;
    if (!KorrCore::KTopoFaceExplor::Explor(shape, faces))
        return;
    for (const KorrCore::ShapePtr& face : faces) {
        KorrCore::KColor colour;
        KorrCore::KShapeAttributes::GetColor(shape, face, colour);
        KorrCore::KShapeAttributes::GetName(shape, face);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    static KorrFuzz::MemoryFile file;
    file.Fill(bytes, size);
    // A new service each time: a service answers a path it has loaded before
    // from its cache.
    KorrCore::KORRFUZZ_SERVICE service;
    service.SetTimeLimit(kWorkerTimeLimit);
    const KorrCore::ShapePtr shape = service.LoadFile(file.Path());
    if (!shape)
        return 0;
    AskEveryFace(shape);
    KorrFuzz::Inspect(shape);
    return 0;
}
