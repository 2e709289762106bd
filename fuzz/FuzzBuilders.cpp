// Drives every builder and operation (EntryPoints.h) with arbitrary doubles,
// counts and operands read from the input as a small program, then inspects
// every result as a host would. Any crash, sanitizer report, leak or run past
// libFuzzer's -timeout is a finding.

#include <KorrGeomCore/KorrGeomCore.h>

#include <cstdint>

#include "BuilderProgram.h"
#include "FuzzInspect.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    for (const KorrCore::ShapePtr& shape : KorrFuzz::RunBuilderProgram(bytes, size))
        KorrFuzz::Inspect(shape);
    return 0;
}
