#include "Internal/Platform/FileOutcome.h"

#include <KorrGeomCore/Platform/KOutcome.h>

#include "Internal/Platform/Outcome.h"

namespace KorrCore {

void ConcernsFile(const std::string& path) noexcept
{
    const KOutcome& outcome = KLastOutcome();
    if (outcome.Code == KOutcomeCode::Ok || !outcome.Path.empty())
        return;
    // Without memory for the copies the path is left out.
    try {
        SetOutcome(outcome.Code, outcome.Message, path, outcome.Detail);
    } catch (...) {
    }
}

} // namespace KorrCore
