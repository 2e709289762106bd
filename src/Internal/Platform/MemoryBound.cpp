#include "Internal/Platform/MemoryBound.h"

#include <algorithm>
#include <sys/resource.h>
#include <unistd.h>

#include "Internal/Platform/Outcome.h"

namespace KorrCore {

namespace {

std::uint64_t SoftLimit(int resource)
{
    rlimit limit{};
    if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return UINT64_MAX;
    return limit.rlim_cur;
}

std::uint64_t PhysicalMemory()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES), pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return UINT64_MAX;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

} // namespace

std::uint64_t ObtainableMemory()
{
    return std::min({SoftLimit(RLIMIT_AS), SoftLimit(RLIMIT_DATA), PhysicalMemory()});
}

bool FitsInMemory(const std::string& path, std::uint64_t size, std::uint64_t bound)
{
    if (size <= bound)
        return true;
    SetOutcome(KOutcomeCode::FileTooLarge,
               path + " holds " + std::to_string(size) + " bytes, more than the " + std::to_string(bound) +
                   " bytes of memory it may be read into.",
               path);
    return false;
}

} // namespace KorrCore
