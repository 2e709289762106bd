#include <KorrGeomCore/Service/KBrepFileService.h>

#include "Core/Frame.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "Service/KBrepFileService";

} // namespace

KBrepFileService::~KBrepFileService() = default;

void KBrepFileService::SaveFile(const ShapeList& /*shapes*/, const std::wstring& /*path*/)
{
    KORR_CHECK(false, "Not implemented!");
}

ShapePtr KBrepFileService::LoadFile(const std::wstring& path)
{
    const auto cached = cache.find(path);
    if (cached != cache.end())
        return cached->second;
    loadCancelled = false;
    ShapePtr loaded = OnLoadFile(path);
    if (loaded || !loadCancelled)
        cache.emplace(path, loaded);
    return loaded;
}

} // namespace KorrCore
