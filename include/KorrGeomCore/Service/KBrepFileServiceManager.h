#pragma once

#include <memory>

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Service/KBrepFileService.h>
#include <KorrGeomCore/Service/TObjectPtrManager.h>
#include <KorrGeomCore/Service/TSingleton.h>

namespace KorrCore {

class KBrepFileServiceManager;

// The library provides the manager's instance function, so the process has one
// registry however many modules use it.
extern template class KORRGEOMCORE_EXPORT TSingleton<KBrepFileServiceManager>;

// The process-wide registry of file services, by name: reach it with
// KBrepFileServiceManager::Instance(). It starts empty; the library registers
// no service itself.
class KORRGEOMCORE_EXPORT KBrepFileServiceManager
    : public TObjectPtrManager<std::shared_ptr<KBrepFileService>>,
      public TSingleton<KBrepFileServiceManager> {
public:
    KBrepFileServiceManager() = default;
    // Copies share the registered services.
    KBrepFileServiceManager(const KBrepFileServiceManager& other) = default;
    KBrepFileServiceManager& operator=(const KBrepFileServiceManager& other) = default;
    virtual ~KBrepFileServiceManager();
};

} // namespace KorrCore
