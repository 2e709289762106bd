#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <vector>

#include "Internal/Core/HostProgress.h"

namespace KorrCore {

// A host's indicator for a whole batch of files loading on several threads:
// each thread's file reports to a slot of its own, and the host hears the
// files done plus the fractions of those under way, over the batch's length.
class BatchProgress {
public:
    // `loadShare` is how much of a file's work its load is (the rest is the
    // host's handler, which does not report).
    BatchProgress(KProgressIndicator* host, std::size_t files, unsigned slots, double loadShare);

    // The indicator for the file loading in the slot.
    KProgressIndicator* Slot(unsigned slot) { return &slots[slot]; }
    // The slot's file is done with; passes the news on.
    void FileDone(unsigned slot);
    // True once the host has asked to stop.
    bool Cancelled() const { return host.Cancelled(); }
    // Every file is done: tells the host 1, unless it cancelled.
    void Finish() { host.Finish(); }

private:
    struct SlotIndicator : KProgressIndicator {
        void OnProgress(double fraction) override;
        bool IsCancelled() override { return batch->Poll(); }
        BatchProgress* batch = nullptr;
        std::atomic<double> fraction{0.0};
    };
    bool Poll();

    HostProgress host;
    const double files;
    const double loadShare;
    std::atomic<std::size_t> done{0};
    std::vector<SlotIndicator> slots;
};

} // namespace KorrCore
