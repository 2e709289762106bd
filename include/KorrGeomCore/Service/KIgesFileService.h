#pragma once

#include <KorrGeomCore/Service/KExchangeFileService.h>

namespace KorrCore {

// IGES files: name "IGES", filter "*.iges;*.igs". IGES keeps the shapes and
// their colours, but has no products and instances as STEP has: a saved
// assembly comes back as its placed parts, with fewer of its names.
class KORRGEOMCOREEXCHANGE_EXPORT KIgesFileService : public KExchangeFileService {
public:
    KIgesFileService();
};

} // namespace KorrCore
