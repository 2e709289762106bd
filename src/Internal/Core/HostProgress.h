#pragma once

#include <atomic>
#include <chrono>
#include <mutex>

#include <KorrGeomCore/Platform/KProgressIndicator.h>

namespace KorrCore {

// The library's side of a host's KProgressIndicator during one call: keeps
// the promises its header makes. Any number of threads may poll it at once
// and as often as they like; the host hears from at most one of them at a
// time, at most every 50 ms, with fractions that only grow. Without an
// indicator it does nothing and never cancels.
class HostProgress {
public:
    explicit HostProgress(KProgressIndicator* host) : host(host) {}
    HostProgress(const HostProgress&) = delete;
    HostProgress& operator=(const HostProgress&) = delete;

    // Passes on `fraction` and asks whether to stop, unless the host was
    // asked less than 50 ms ago or is being asked by another thread now.
    // True once the host has asked to stop (or thrown).
    bool Poll(double fraction);
    // True once the host has asked to stop; does not ask it.
    bool Cancelled() const { return cancelled.load(std::memory_order_relaxed); }
    // The work has succeeded: tells the host 1, unless it cancelled.
    void Finish();

private:
    using Clock = std::chrono::steady_clock;
    // Calls the host with the lock held; an exception is a cancellation.
    void Tell(double fraction, bool askToStop);

    KProgressIndicator* const host;
    std::atomic<bool> cancelled{false};
    std::atomic<Clock::rep> nextCall{Clock::time_point::min().time_since_epoch().count()};
    std::mutex calling;
    double told = -1.0;
};

} // namespace KorrCore
