#include "Internal/Core/HostProgress.h"

#include <algorithm>

namespace KorrCore {

namespace {

constexpr std::chrono::milliseconds kInterval{50};
// Work under way is never done: 1 is kept for Finish.
constexpr double kMostUnderWay = 0.99;

} // namespace

bool HostProgress::Poll(double fraction)
{
    if (!host || Cancelled())
        return Cancelled();
    const Clock::rep now = Clock::now().time_since_epoch().count();
    if (now < nextCall.load(std::memory_order_relaxed))
        return false;
    const std::unique_lock<std::mutex> lock(calling, std::try_to_lock);
    if (!lock.owns_lock())
        return Cancelled();
    const Clock::rep interval = std::chrono::duration_cast<Clock::duration>(kInterval).count();
    nextCall.store(now + interval, std::memory_order_relaxed);
    Tell(std::clamp(fraction, 0.0, kMostUnderWay), true);
    // A slow host still leaves the work the whole interval between calls.
    nextCall.store(Clock::now().time_since_epoch().count() + interval, std::memory_order_relaxed);
    return Cancelled();
}

void HostProgress::Finish()
{
    if (!host || Cancelled())
        return;
    const std::lock_guard<std::mutex> lock(calling);
    Tell(1.0, false);
}

void HostProgress::Tell(double fraction, bool askToStop)
{
    try {
        if (fraction > told) {
            told = fraction;
            host->OnProgress(fraction);
        }
        if (askToStop && host->IsCancelled())
            cancelled.store(true, std::memory_order_relaxed);
    } catch (...) {
        cancelled.store(true, std::memory_order_relaxed);
    }
}

} // namespace KorrCore
