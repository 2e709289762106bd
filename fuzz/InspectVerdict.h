#pragma once

#include <string>

namespace KorrFuzz {

// What is wrong with a result a library call reported as a success, or with
// the way the call ended.
enum class Fault {
    None,
    NonFinite,        // a NaN or infinity in a returned buffer
    OutOfBox,         // a point far outside the shape's bounding box
    BadIndex,         // an index or range naming nothing, or buffers of disagreeing sizes
    EscapedException, // an exception the call must not let out
    OutOfMemory,      // an allocation refused on the way out of a call
};

inline const char* FaultName(Fault fault)
{
    switch (fault) {
    case Fault::None:
        return "none";
    case Fault::NonFinite:
        return "non-finite";
    case Fault::OutOfBox:
        return "out-of-box";
    case Fault::BadIndex:
        return "bad-index";
    case Fault::EscapedException:
        return "escaped-exception";
    case Fault::OutOfMemory:
        return "out-of-memory";
    }
    return "unknown";
}

// The outcome of inspecting one shape: its first fault, if any, and the kernel
// exceptions the explorers let through (which they may, by design).
struct InspectVerdict {
    Fault fault = Fault::None;
    // Which call returned what, for a fault.
    std::string detail;
    int kernelExceptions = 0;
    // The first of them: its type, message and the call that raised it.
    std::string firstKernelException;

    bool Sound() const { return fault == Fault::None; }
    // Keeps the first fault: later ones are usually its consequences.
    void Record(Fault found, const std::string& where)
    {
        if (Sound()) {
            fault = found;
            detail = where;
        }
    }
};

} // namespace KorrFuzz
