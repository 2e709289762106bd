#include <KorrGeomCore/Platform/KOutcome.h>

#include "Internal/Platform/Outcome.h"

namespace KorrCore {

namespace {

KOutcome& ThreadOutcome()
{
    thread_local KOutcome outcome;
    return outcome;
}

} // namespace

const KOutcome& KLastOutcome() { return ThreadOutcome(); }

const char* KOutcomeName(KOutcomeCode code)
{
    switch (code) {
    case KOutcomeCode::Ok: return "Ok";
    case KOutcomeCode::InvalidArgument: return "InvalidArgument";
    case KOutcomeCode::NullShape: return "NullShape";
    case KOutcomeCode::WrongShapeKind: return "WrongShapeKind";
    case KOutcomeCode::KernelFailed: return "KernelFailed";
    case KOutcomeCode::InvalidResult: return "InvalidResult";
    case KOutcomeCode::TimedOut: return "TimedOut";
    case KOutcomeCode::Cancelled: return "Cancelled";
    case KOutcomeCode::FileMissing: return "FileMissing";
    case KOutcomeCode::FileUnreadable: return "FileUnreadable";
    case KOutcomeCode::FileDamaged: return "FileDamaged";
    case KOutcomeCode::FileForeign: return "FileForeign";
    case KOutcomeCode::FileTooLarge: return "FileTooLarge";
    case KOutcomeCode::TranslatorFailed: return "TranslatorFailed";
    case KOutcomeCode::WriteFailed: return "WriteFailed";
    case KOutcomeCode::OutOfMemory: return "OutOfMemory";
    case KOutcomeCode::TooLarge: return "TooLarge";
    }
    return "Unknown";
}

void SetOutcome(KOutcomeCode code, std::string message, std::string path, std::string detail) noexcept
{
    KOutcome& outcome = ThreadOutcome();
    outcome.Code = code;
    // Assigning may allocate; a thread out of memory keeps the code at least.
    try {
        outcome.Message = std::move(message);
        outcome.Path = std::move(path);
        outcome.Detail = std::move(detail);
    } catch (...) {
        outcome.Message.clear();
        outcome.Path.clear();
        outcome.Detail.clear();
    }
}

void SetOk() noexcept
{
    KOutcome& outcome = ThreadOutcome();
    outcome.Code = KOutcomeCode::Ok;
    outcome.Message.clear();
    outcome.Path.clear();
    outcome.Detail.clear();
}

bool Fails(KOutcomeCode code, std::string message, std::string detail) noexcept
{
    SetOutcome(code, std::move(message), {}, std::move(detail));
    return false;
}

} // namespace KorrCore
