#pragma once

#include <utility>

namespace KorrCore {

// Runs kernel work so that no exception leaves it: any exception gives
// onFailure. The kernel's exceptions do not derive from std::exception, hence
// the catch-all. A guard cannot stop a segmentation fault, so shapes that crash
// the kernel (null kernel shapes) must be turned away before the work starts.
template <class Result, class Work>
Result Guarded(Result onFailure, Work&& work) noexcept
{
    try {
        return std::forward<Work>(work)();
    } catch (...) {
        return onFailure;
    }
}

// The same, failing with the value-initialised result: a null ShapePtr, false.
template <class Work>
auto Guarded(Work&& work) noexcept -> decltype(work())
{
    return Guarded(decltype(work()){}, std::forward<Work>(work));
}

} // namespace KorrCore
