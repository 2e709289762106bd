#pragma once

#include <string>

#include <KorrGeomCore/Platform/KOutcome.h>

// Setting the calling thread's outcome (KLastOutcome) from inside the library.
namespace KorrCore {

// Records a failure, or with KOutcomeCode::Ok a success that carries a message.
KORRGEOMCORE_EXPORT void SetOutcome(KOutcomeCode code, std::string message, std::string path = {},
                                    std::string detail = {}) noexcept;

// Records a success: Ok, and no text left from an earlier call.
KORRGEOMCORE_EXPORT void SetOk() noexcept;

// Records a failure and yields false, for checks written as conditions.
KORRGEOMCORE_EXPORT bool Fails(KOutcomeCode code, std::string message, std::string detail = {}) noexcept;

} // namespace KorrCore
