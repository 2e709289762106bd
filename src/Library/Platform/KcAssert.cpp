#include <KorrGeomCore/Platform/KcAssert.h>
#include <KorrGeomCore/Platform/KOutcome.h>

#include <cstdio>
#include <utility>

#include "Internal/Platform/Outcome.h"

namespace KorrCore {

namespace {

void ReportToStandardError(const std::string& message, const char* file, int line)
{
    std::fprintf(stderr, "KorrGeomCore: %s (%s:%d)\n", message.empty() ? "check failed" : message.c_str(),
                 file ? file : "?", line);
}

KcAssert::ReportHandler& CurrentHandler()
{
    static KcAssert::ReportHandler handler = ReportToStandardError;
    return handler;
}

} // namespace

bool KcAssert::Assert(bool condition, const std::string& message, const char* file, int line) noexcept
{
    if (!condition) {
        try {
            // A handler that calls into the library must not take away the
            // outcome of the call that is reporting.
            const KOutcome reporting = KLastOutcome();
            CurrentHandler()(message, file, line);
            SetOutcome(reporting.Code, reporting.Message, reporting.Path, reporting.Detail);
        } catch (...) {
            // A report must never turn into a failure of the call that made it.
        }
    }
    return condition;
}

KcAssert::ReportHandler KcAssert::SetReportHandler(ReportHandler handler)
{
    if (!handler)
        handler = ReportToStandardError;
    return std::exchange(CurrentHandler(), std::move(handler));
}

} // namespace KorrCore
