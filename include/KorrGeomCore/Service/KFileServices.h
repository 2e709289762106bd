#pragma once

#include <memory>
#include <string>

#include <KorrGeomCore/KorrGeomCoreExchangeExport.h>
#include <KorrGeomCore/Service/KBrepFileService.h>

namespace KorrCore {

// The library's file services together, for hosts that want them all.
class KORRGEOMCOREEXCHANGE_EXPORT KFileServices {
public:
    // Registers one of each of the library's file services in
    // KBrepFileServiceManager: BRep, STEP and IGES, and glTF, which saves
    // display models and loads nothing. The registry starts empty
    // and the library registers nothing unless asked to. A name the host has
    // registered already keeps its service. True when every one was added.
    static bool RegisterAll();

    // The registered service whose file filter names the path's extension
    // (compared without regard to case), or null.
    static std::shared_ptr<KBrepFileService> ForFile(const std::wstring& path);
};

} // namespace KorrCore
