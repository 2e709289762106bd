#include "FileFormats/Worker/ProcessLimits.h"

#include <csignal>
#include <sys/prctl.h>
#include <sys/resource.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KORRGEOM_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KORRGEOM_ADDRESS_SANITIZER 1
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
#ifndef KORRGEOM_ADDRESS_SANITIZER
    // The address sanitizer reserves terabytes of address space up front.
    Limit(RLIMIT_AS, memoryBytes, memoryBytes);
#else
    (void)memoryBytes;
#endif
    // The soft limit sends SIGXCPU, whose default action ends the process.
    Limit(RLIMIT_CPU, cpuSeconds, cpuSeconds + 1);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
}

} // namespace KorrCore::Worker
