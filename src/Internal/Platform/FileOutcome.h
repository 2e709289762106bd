#pragma once

#include <string>

#include <KorrGeomCore/KorrGeomCoreExport.h>

namespace KorrCore {

// Gives a failure recorded without a file (the kernel raised, memory ran out
// while a file was read or written) the path it concerns, so that every
// failure of a file function names its file.
KORRGEOMCORE_EXPORT void ConcernsFile(const std::string& path) noexcept;

} // namespace KorrCore
