#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace KorrBench {

// The field of /proc/self/status named `key` ("VmRSS:", "VmHWM:"), in bytes.
double StatusBytes(const std::string& key);

// Hands freed memory back to the system and starts this process's peak
// resident size (VmHWM) afresh from what it holds now, so that the peak read
// later, less the resident size read now, is what the work in between took.
void ResetPeak();

// The largest peak resident size of this process's children (the translation
// workers) while it lives, read from /proc as they run. Their rusage cannot
// tell it: a child spawned by vfork counts its parent's peak as its own.
class ChildrenPeak {
public:
    ChildrenPeak();
    ~ChildrenPeak();
    ChildrenPeak(const ChildrenPeak&) = delete;
    ChildrenPeak& operator=(const ChildrenPeak&) = delete;
    // In bytes; call once, when the children have ended.
    double Bytes();

private:
    std::atomic<bool> done{false};
    std::atomic<double> peak{0};
    std::thread watching;
};

} // namespace KorrBench
