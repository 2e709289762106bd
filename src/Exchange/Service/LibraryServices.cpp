#include "Exchange/Service/LibraryServices.h"

#include <KorrGeomCore/Service/KGltfFileService.h>
#include <KorrGeomCore/Service/KIgesFileService.h>
#include <KorrGeomCore/Service/KNativeBrepFileService.h>
#include <KorrGeomCore/Service/KStepFileService.h>

#include "Internal/Platform/AsciiCase.h"

namespace KorrCore {

std::vector<std::shared_ptr<KBrepFileService>> LibraryServices()
{
    return {
        std::make_shared<KNativeBrepFileService>(),
        std::make_shared<KStepFileService>(),
        std::make_shared<KIgesFileService>(),
        std::make_shared<KGltfFileService>(),
    };
}

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

} // namespace KorrCore
