#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/Service/KBrepFileServiceManager.h>
#include <KorrGeomCore/Service/KFileServices.h>

#include "Exchange/Service/LibraryServices.h"
#include "Internal/Platform/Outcome.h"

namespace KorrCore {

bool KFileServices::RegisterAll()
{
    SetOk();
    bool all = true;
    for (const std::shared_ptr<KBrepFileService>& service : LibraryServices()) {
        if (KBrepFileServiceManager::Instance().AddObject(service))
            continue;
        if (all)
            SetOutcome(KOutcomeCode::InvalidArgument, "the name " + KStringUtil::w2a(service->GetName()) +
                                                          " is registered already, so the library's service was "
                                                          "not added under it");
        all = false;
    }
    return all;
}

std::shared_ptr<KBrepFileService> KFileServices::ForFile(const std::wstring& path)
{
    SetOk();
    for (const auto& [name, service] : KBrepFileServiceManager::Instance())
        if (FilterNames(service->GetFileFilter(), path))
            return service;
    const std::string file = KStringUtil::w2a(path);
    SetOutcome(KOutcomeCode::FileForeign, "no registered file service reads files named like " + file, file);
    return nullptr;
}

} // namespace KorrCore
