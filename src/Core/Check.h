#pragma once

#include <KorrGeomCore/Platform/KcAssert.h>

// One argument check: reports through KcAssert with the calling source's report
// name (a kReportSource constant defined in that file) and line, and yields the
// condition.
#define KORR_CHECK(condition, message) \
    ::KorrCore::KcAssert::Assert(static_cast<bool>(condition), (message), kReportSource, __LINE__)
