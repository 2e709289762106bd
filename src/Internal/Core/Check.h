#pragma once

#include <string>

#include <KorrGeomCore/Platform/KcAssert.h>

#include "Internal/Platform/Outcome.h"

// One argument check: reports through KcAssert with the calling source's report
// name (a kReportSource constant defined in that file) and line, and yields the
// condition.
#define KORR_CHECK(condition, message) \
    ::KorrCore::KcAssert::Assert(static_cast<bool>(condition), (message), kReportSource, __LINE__)

// The same for a check that fails the call: the outcome gets the code (a
// KOutcomeCode name) and the reason, a sentence built only when the check
// fails, before the report goes out.
#define KORR_CHECK_WHY(condition, message, code, reason)                                                               \
    (static_cast<bool>(condition) ||                                                                                   \
     ::KorrCore::ReportRefusal(::KorrCore::KOutcomeCode::code, (reason), (message), kReportSource, __LINE__))

namespace KorrCore {

// Records the refusal and reports it; false.
inline bool ReportRefusal(KOutcomeCode code, std::string reason, const std::string& message, const char* source,
                          int line)
{
    SetOutcome(code, std::move(reason));
    return KcAssert::Assert(false, message, source, line);
}

} // namespace KorrCore
