#include "ProcessMemory.h"

#include <malloc.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace KorrBench {

namespace {

// The number after `key` in a /proc status file (sizes are in kilobytes).
double Field(const std::string& statusFile, const std::string& key)
{
    std::ifstream status(statusFile);
    std::string field;
    double value = 0;
    while (status >> field)
        if (field == key && status >> value)
            return value;
    return 0;
}

// The peak resident size of the children of this process now running: each
// thread's children are listed under its task.
double RunningChildrenPeak()
{
    double peak = 0;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
        std::ifstream children(task.path() / "children");
        for (std::string child; children >> child;)
            peak = std::max(peak, Field("/proc/" + child + "/status", "VmHWM:") * 1024);
    }
    return peak;
}

} // namespace

double StatusBytes(const std::string& key)
{
    return Field("/proc/self/status", key) * 1024;
}

void ResetPeak()
{
    ::malloc_trim(0);
    // Linux's documented way: 5 resets the peak to the current size.
    std::ofstream("/proc/self/clear_refs") << "5";
}

ChildrenPeak::ChildrenPeak()
    : watching([this] {
          while (!done) {
              peak = std::max(peak.load(), RunningChildrenPeak());
              std::this_thread::sleep_for(std::chrono::milliseconds(10));
          }
      })
{
}

ChildrenPeak::~ChildrenPeak()
{
    Bytes();
}

double ChildrenPeak::Bytes()
{
    done = true;
    if (watching.joinable())
        watching.join();
    return peak;
}

} // namespace KorrBench
