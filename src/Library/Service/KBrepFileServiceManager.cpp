#include <KorrGeomCore/Service/KBrepFileServiceManager.h>

namespace KorrCore {

template class TSingleton<KBrepFileServiceManager>;

KBrepFileServiceManager::~KBrepFileServiceManager() = default;

} // namespace KorrCore
