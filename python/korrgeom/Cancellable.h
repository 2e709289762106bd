#pragma once

#include <atomic>
#include <chrono>
#include <exception>
#include <functional>
#include <optional>

#include <pybind11/pybind11.h>

#include <KorrGeomCore/Platform/KOutcome.h>
#include <KorrGeomCore/Platform/KProgressIndicator.h>

namespace KorrPython {

// A load's or a mesh's line back to the Python caller. It passes the
// fraction done to the caller's progress callable and stops the work when
// the callable returns True or raises, when the timeout has passed, or when
// Ctrl-C arrives. The library may call it from any of its threads.
class PyProgress : public KorrCore::KProgressIndicator {
public:
    // `callable` may be None; so may `timeoutSeconds`.
    PyProgress(pybind11::object callable, std::optional<double> timeoutSeconds);

    void OnProgress(double fraction) override;
    bool IsCancelled() override;

    // Runs the work with the interpreter unlocked and returns the outcome the
    // work left on the thread it ran on. On the interpreter's main thread the
    // work runs on a thread of its own while this one looks for Ctrl-C every
    // 50 ms: signals reach Python only there, and the library may poll the
    // indicator from its other threads.
    KorrCore::KOutcome Run(const std::function<void()>& work);

    // After Run, with the interpreter locked: raises the callable's
    // exception or KeyboardInterrupt, else korrgeom.Error for a work stopped
    // (Cancelled, TimedOut) or failed; nothing after a success.
    void RaiseUnlessOk(const KorrCore::KOutcome& outcome, bool succeeded);

private:
    using Clock = std::chrono::steady_clock;
    void Stop(std::exception_ptr reason);
    void CheckSignals();

    pybind11::object callable;
    std::optional<Clock::time_point> deadline;
    std::optional<double> timeoutSeconds;
    std::atomic<bool> stopped{false};
    bool late = false;
    std::exception_ptr raised;
};

} // namespace KorrPython
