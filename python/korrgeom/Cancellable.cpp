#include "Cancellable.h"

#include <condition_variable>
#include <mutex>
#include <sstream>
#include <thread>

#include "Errors.h"

namespace py = pybind11;
using KorrCore::KOutcome;
using KorrCore::KOutcomeCode;

namespace KorrPython {

namespace {

bool OnMainThread()
{
    const py::module_ threading = py::module_::import("threading");
    return threading.attr("current_thread")().is(threading.attr("main_thread")());
}

} // namespace

PyProgress::PyProgress(py::object callable, std::optional<double> timeoutSeconds)
    : callable(std::move(callable)), timeoutSeconds(timeoutSeconds)
{
    if (!this->callable.is_none() && !PyCallable_Check(this->callable.ptr()))
        Raise(KOutcomeCode::InvalidArgument, "progress must be callable or None");
    if (timeoutSeconds) {
        if (!(*timeoutSeconds > 0.0) || *timeoutSeconds > 1e9)
            Raise(KOutcomeCode::InvalidArgument,
                  "timeout must be a number of seconds above 0, not " + std::string(py::repr(py::float_(*timeoutSeconds))));
        deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(*timeoutSeconds));
    }
}

void PyProgress::Stop(std::exception_ptr reason)
{
    if (!raised)
        raised = reason;
    stopped = true;
}

void PyProgress::OnProgress(double fraction)
{
    if (callable.is_none() || stopped)
        return;
    py::gil_scoped_acquire locked;
    try {
        if (py::bool_(callable(fraction)))
            stopped = true;
    } catch (const py::error_already_set&) {
        Stop(std::current_exception());
    }
}

bool PyProgress::IsCancelled()
{
    if (deadline && Clock::now() > *deadline && !stopped)
        late = stopped = true;
    return stopped;
}

void PyProgress::CheckSignals()
{
    if (PyErr_CheckSignals() != 0) {
        try {
            throw py::error_already_set();
        } catch (const py::error_already_set&) {
            Stop(std::current_exception());
        }
    }
}

KOutcome PyProgress::Run(const std::function<void()>& work)
{
    KOutcome outcome;
    const auto workAndOutcome = [&] {
        work();
        outcome = KorrCore::KLastOutcome();
    };
    if (!OnMainThread()) {
        py::gil_scoped_release unlocked;
        workAndOutcome();
        return outcome;
    }
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    {
        py::gil_scoped_release unlocked;
        std::thread worker([&] {
            workAndOutcome();
            const std::lock_guard<std::mutex> lock(mutex);
            done = true;
            finished.notify_one();
        });
        std::unique_lock<std::mutex> lock(mutex);
        while (!finished.wait_for(lock, std::chrono::milliseconds(50), [&] { return done; })) {
            lock.unlock();
            {
                py::gil_scoped_acquire locked;
                CheckSignals();
            }
            lock.lock();
        }
        lock.unlock();
        worker.join();
    }
    return outcome;
}

void PyProgress::RaiseUnlessOk(const KOutcome& outcome, bool succeeded)
{
    // Ctrl-C and the callable's exception reach the caller even when the
    // work finished first (a BRep load asks no indicator); a timeout that
    // came too late to stop anything does not undo a success.
    if (raised)
        std::rethrow_exception(raised);
    if (succeeded && outcome.Code == KOutcomeCode::Ok)
        return;
    if (late) {
        std::ostringstream message;
        message << "the work ran past its timeout of " << *timeoutSeconds << " s and was stopped";
        KOutcome timedOut = outcome;
        timedOut.Code = KOutcomeCode::TimedOut;
        timedOut.Message = message.str();
        Raise(timedOut);
    }
    KorrPython::RaiseUnlessOk(outcome, succeeded);
}

} // namespace KorrPython
