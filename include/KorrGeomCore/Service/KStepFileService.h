#pragma once

#include <KorrGeomCore/Service/KExchangeFileService.h>

namespace KorrCore {

// STEP files: name "STEP", filter "*.step;*.stp". Reads what the kernel's
// STEP translator reads (AP203, AP214, AP242 geometry); writes AP214.
class KORRGEOMCOREEXCHANGE_EXPORT KStepFileService : public KExchangeFileService {
public:
    KStepFileService();
};

} // namespace KorrCore
