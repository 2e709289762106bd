#pragma once

#include <functional>
#include <string>

#include <KorrGeomCore/KorrGeomCoreExport.h>

namespace KorrCore {

// The library's only failure report. Every argument check goes through Assert,
// which returns its condition and never throws; a false condition is passed to
// the report handler together with the check's source file and line.
class KORRGEOMCORE_EXPORT KcAssert {
public:
    // Receives each failed check: its message, source file and line.
    using ReportHandler = std::function<void(const std::string& message, const char* file, int line)>;

    // Returns condition; when it is false, first passes the message, file and
    // line to the report handler (whose exceptions it swallows).
    static bool Assert(bool condition, const std::string& message, const char* file, int line) noexcept;

    // Installs a handler and returns the previous one. An empty handler restores
    // the default, which writes one line to standard error. Install handlers
    // while no other thread is calling into the library.
    static ReportHandler SetReportHandler(ReportHandler handler);
};

} // namespace KorrCore
