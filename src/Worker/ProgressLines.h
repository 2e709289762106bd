#pragma once

#include <Message_ProgressIndicator.hxx>

#include <string>

#include <KorrGeomCore/Platform/KOutcome.h>

namespace KorrCore::Worker {

// Writes the worker's progress to a descriptor as lines (see
// WorkerProtocol.h): the steps it is told about, and the kernel's progress
// within a step in whole percent, each percent once.
class ProgressLines : public Message_ProgressIndicator {
public:
    explicit ProgressLines(int descriptor) : descriptor(descriptor) {}

    void Step(const char* name);
    // The line that says why the worker fails (see WorkerProtocol.h).
    void Failed(KOutcomeCode code, std::string detail);

protected:
    void Show(const Message_ProgressScope& scope, const Standard_Boolean force) override;
    void Reset() override { shownPercent = -1; }

private:
    void Line(const std::string& line) const;

    int descriptor;
    int shownPercent = -1;
};

} // namespace KorrCore::Worker
