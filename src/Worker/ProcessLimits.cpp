#include "Worker/ProcessLimits.h"

#include <sys/resource.h>

// The sanitizers that map their shadow memory up front: terabytes of address
// space before main runs, so that with any limit on it the worker fails for
// want of memory before it reads a byte.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || defined(__SANITIZE_HWADDRESS__)
#define KORRGEOM_SHADOW_MEMORY 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer) ||          \
    __has_feature(hwaddress_sanitizer)
#define KORRGEOM_SHADOW_MEMORY 1
#endif
#endif

namespace KorrCore::Worker {

namespace {

void Limit(int resource, rlim_t soft, rlim_t hard)
{
    const rlimit limit{soft, hard};
    ::setrlimit(resource, &limit);
}

} // namespace

void LimitThisProcess(std::uint64_t memoryBytes, std::uint64_t cpuSeconds)
{
    Limit(RLIMIT_CORE, 0, 0);
#ifndef KORRGEOM_SHADOW_MEMORY
    Limit(RLIMIT_AS, memoryBytes, memoryBytes);
#else
    (void)memoryBytes;
#endif
    // The soft limit sends SIGXCPU, whose default action ends the process.
    Limit(RLIMIT_CPU, cpuSeconds, cpuSeconds + 1);
}

} // namespace KorrCore::Worker
