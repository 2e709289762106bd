#pragma once

#include <KorrGeomCore/Service/KExchangeFileService.h>

namespace KorrCore {

// IGES files: name "IGES", filter "*.iges;*.igs". IGES has no products:
// saved assemblies come back as their placed parts, with the parts' names
// and colours.
class KORRGEOMCOREEXCHANGE_EXPORT KIgesFileService : public KExchangeFileService {
public:
    KIgesFileService();
};

} // namespace KorrCore
