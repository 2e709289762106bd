#pragma once

#include <string>

#include <KorrGeomCore/KorrGeomCoreExport.h>

// The outcomes of files that cannot be read or written, told the same way by
// every reader and writer of the core and of the Exchange library.
namespace KorrCore {

// Records why the file cannot be read as a regular file: FileMissing, or
// FileUnreadable for a directory, a pipe or device, or a file the process may
// not read, with the system's reason. Asks the file system again, so it is
// for after a read failed. A reason recorded already (a file too large to
// hold) is kept, and only given the path.
KORRGEOMCORE_EXPORT void RecordUnreadable(const std::string& path) noexcept;

// Records a failed write of the file: WriteFailed with the system's reason
// for `error` (an errno value), unless a reason was recorded already.
KORRGEOMCORE_EXPORT void RecordUnwritten(const std::string& path, int error) noexcept;

// Gives a failure recorded without a file the path it concerns.
KORRGEOMCORE_EXPORT void ConcernsFile(const std::string& path) noexcept;

// The system's text for an errno value: "No such file or directory".
KORRGEOMCORE_EXPORT std::string SystemText(int error);

} // namespace KorrCore
