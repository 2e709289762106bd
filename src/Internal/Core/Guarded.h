#pragma once

#include <Standard_Failure.hxx>
#include <Standard_OutOfMemory.hxx>

#include <exception>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

#include "Internal/Platform/Outcome.h"

namespace KorrCore {

// Raised by the library's own checks from deep inside kernel work (the
// conversion of a number, say), where returning is not possible; its text
// names the argument and its value, and the guard records it as an invalid
// argument.
class RefusedArgument : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Records the exception being handled as the calling thread's outcome. The
// kernel's exceptions do not derive from std::exception, and running out of
// memory reaches the library as either kind, so each is told apart here once.
inline void RecordRaised() noexcept
{
    using Code = KOutcomeCode;
    constexpr char kNoMemory[] = "the work needs more memory than the process can get";
    // Naming what was raised allocates; without memory for it the code alone
    // is kept.
    try {
        try {
            throw;
        } catch (const RefusedArgument& refused) {
            SetOutcome(Code::InvalidArgument, refused.what());
        } catch (const std::bad_alloc& error) {
            SetOutcome(Code::OutOfMemory, kNoMemory, {}, error.what());
        } catch (const Standard_OutOfMemory& failure) {
            SetOutcome(Code::OutOfMemory, kNoMemory, {}, failure.GetMessageString());
        } catch (const Standard_Failure& failure) {
            SetOutcome(Code::KernelFailed, "the kernel raised an error", {},
                       std::string(failure.DynamicType()->Name()) + ": " + failure.GetMessageString());
        } catch (const std::exception& error) {
            SetOutcome(Code::KernelFailed, "the kernel raised an error", {}, error.what());
        } catch (...) {
            SetOutcome(Code::KernelFailed, "the kernel raised an exception of unknown type");
        }
    } catch (...) {
        SetOutcome(Code::OutOfMemory, {});
    }
}

// Runs kernel work so that no exception leaves it: any exception gives
// onFailure, its reason recorded (RecordRaised). A guard cannot stop a
// segmentation fault, so shapes that crash the kernel (null kernel shapes)
// must be turned away before the work starts.
template <class Result, class Work>
Result Guarded(Result onFailure, Work&& work) noexcept
{
    try {
        return std::forward<Work>(work)();
    } catch (...) {
        RecordRaised();
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
