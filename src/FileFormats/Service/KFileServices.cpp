#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/Service/KBrepFileServiceManager.h>
#include <KorrGeomCore/Service/KFileServices.h>
#include <KorrGeomCore/Service/KGltfFileService.h>
#include <KorrGeomCore/Service/KIgesFileService.h>
#include <KorrGeomCore/Service/KNativeBrepFileService.h>
#include <KorrGeomCore/Service/KStepFileService.h>

#include <vector>

#include "Platform/AsciiCase.h"
#include "Platform/Outcome.h"

namespace KorrCore {

namespace {

// Every file service the library has, one of each.
std::vector<std::shared_ptr<KBrepFileService>> LibraryServices()
{
    return {
        std::make_shared<KNativeBrepFileService>(),
        std::make_shared<KStepFileService>(),
        std::make_shared<KIgesFileService>(),
        std::make_shared<KGltfFileService>(),
    };
}

// Whether one of the filter's "*.ext" patterns (separated by ';') ends the path.
bool FilterNames(const std::wstring& filter, const std::wstring& path)
{
    const std::wstring lowerPath = AsciiLower(path);
    std::size_t start = 0;
    while (start <= filter.size()) {
        const std::size_t end = std::min(filter.find(L';', start), filter.size());
        const std::wstring pattern = filter.substr(start, end - start);
        if (pattern.rfind(L"*.", 0) == 0) {
            const std::wstring suffix = AsciiLower(pattern.substr(1));
            if (lowerPath.size() > suffix.size() &&
                lowerPath.compare(lowerPath.size() - suffix.size(), suffix.size(), suffix) == 0)
                return true;
        }
        start = end + 1;
    }
    return false;
}

} // namespace

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
