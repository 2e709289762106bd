#pragma once

#include <KorrGeomCore/KorrGeomCoreExport.h>

namespace KorrCore {

// Accepted by the file functions for interface compatibility; progress is not
// reported through it.
class KORRGEOMCORE_EXPORT KProgressIndicator {
public:
    KProgressIndicator() = default;
    virtual ~KProgressIndicator() = default;
};

} // namespace KorrCore
