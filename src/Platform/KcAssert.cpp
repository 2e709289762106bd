#include <KorrGeomCore/Platform/KcAssert.h>

#include <cstdio>
#include <utility>

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
            CurrentHandler()(message, file, line);
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
