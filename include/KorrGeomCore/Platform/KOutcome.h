#pragma once

#include <string>

#include <KorrGeomCore/KorrGeomCoreExport.h>

namespace KorrCore {

// Why the calling thread's last call into the library ended as it did. Every
// public function of the core and of the Exchange library leaves one before
// it returns, `Ok` after a success, so a host reads the reason of a failure
// right after the call, on its own thread, with no report handler installed.
// The specified results and reports are unchanged: the outcome is told beside
// them.
enum class KOutcomeCode {
    // The call did what it was asked.
    Ok,
    // An argument out of its range: a negative radius, a zero height, a NaN,
    // a negative deflection.
    InvalidArgument,
    // A null handle, or a handle holding no shape.
    NullShape,
    // A shape of a kind the call does not take (a shell given to a boolean).
    WrongShapeKind,
    // The kernel raised, or reported that it could not do the work.
    KernelFailed,
    // The kernel reported the work done, but its result fails the validity check.
    InvalidResult,
    // The work ran past its time limit.
    TimedOut,
    // The host's progress indicator asked to stop.
    Cancelled,
    // No file at the path.
    FileMissing,
    // A path that cannot be read as a file: a directory, no permission.
    FileUnreadable,
    // The file is of the format, but damaged or cut short.
    FileDamaged,
    // The file is not of the format its service reads.
    FileForeign,
    // The file is larger than the memory the process can get.
    FileTooLarge,
    // The translator crashed or gave nothing.
    TranslatorFailed,
    // The file could not be written: no permission, no space, not a regular
    // file at the path.
    WriteFailed,
    // The work needs more memory than the process can get.
    OutOfMemory,
    // The work would be larger than the bound the host set (a mesh of more
    // triangles than KMeshOptions allows).
    TooLarge,
};

// What KLastOutcome tells about the last call: a code for the host's logic and
// text for a person.
struct KOutcome {
    // The kind of failure, or Ok.
    KOutcomeCode Code = KOutcomeCode::Ok;
    // One English sentence for a person, naming the argument and its value, or
    // the file. Empty after a success.
    std::string Message;
    // The file concerned, UTF-8, or empty.
    std::string Path;
    // What the kernel or the system said (errno text, the translator's message,
    // an exception's text), or empty.
    std::string Detail;
};

// The outcome of the calling thread's last call into the public interface.
KORRGEOMCORE_EXPORT const KOutcome& KLastOutcome();

// The code's name as written in the enum ("FileMissing"), for logs and bindings.
KORRGEOMCORE_EXPORT const char* KOutcomeName(KOutcomeCode code);

} // namespace KorrCore
