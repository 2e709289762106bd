// Feeds arbitrary bytes to KBrepTools::ReadBrepFile as a file, then inspects
// whatever it returns as a host would. A crash, sanitizer report, leak,
// allocation beyond libFuzzer's -rss_limit_mb or run past its -timeout is a
// finding: the reader must answer every input promptly with a shape or null.

#include <KorrGeomCore/KorrGeomCore.h>

#include <cstdint>

#include "FuzzInspect.h"
#include "FuzzMemoryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    static KorrFuzz::MemoryFile file;
    file.Fill(bytes, size);
    KorrFuzz::Inspect(KorrCore::KBrepTools::ReadBrepFile(file.Path(), nullptr));
    return 0;
}
