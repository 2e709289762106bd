#include "Worker/ProgressLines.h"

#include <cmath>
#include <string>
#include <unistd.h>

#include "Internal/Protocol/WorkerProtocol.h"

namespace KorrCore::Worker {

void ProgressLines::Step(const char* name)
{
    Line(std::string("step ") + name + "\n");
}

void ProgressLines::Failed(KOutcomeCode code, std::string detail)
{
    for (char& c : detail)
        if (c == '\n' || c == '\r')
            c = ' ';
    Line(std::string(Xde::WorkerProtocol::kFailedLine) + std::to_string(static_cast<int>(code)) + " " + detail + "\n");
}

void ProgressLines::Show(const Message_ProgressScope& /*scope*/, const Standard_Boolean /*force*/)
{
    const int percent = static_cast<int>(std::floor(GetPosition() * 100));
    if (percent == shownPercent)
        return;
    shownPercent = percent;
    Line("percent " + std::to_string(percent) + "\n");
}

// Progress is a courtesy: a parent that stopped listening is no reason to fail.
void ProgressLines::Line(const std::string& line) const
{
    [[maybe_unused]] const ssize_t written = ::write(descriptor, line.data(), line.size());
}

} // namespace KorrCore::Worker
