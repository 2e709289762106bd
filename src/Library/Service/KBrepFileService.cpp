#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/Service/KBrepFileService.h>

#include "Internal/Core/Frame.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "Service/KBrepFileService";

} // namespace

KBrepFileService::~KBrepFileService() = default;

void KBrepFileService::SaveFile(const ShapeList& /*shapes*/, const std::wstring& path)
{
    SetOutcome(KOutcomeCode::WriteFailed, "the " + KStringUtil::w2a(GetName()) + " file service saves no files",
               KStringUtil::w2a(path));
    KORR_CHECK(false, "Not implemented!");
}

ShapePtr KBrepFileService::LoadFile(const std::wstring& path)
{
    const auto cached = cache.find(path);
    if (cached != cache.end()) {
        const KOutcome& outcome = cached->second.outcome;
        SetOutcome(outcome.Code, outcome.Message, outcome.Path, outcome.Detail);
        return cached->second.shape;
    }
    ShapePtr loaded = LoadFileUncached(path);
    if (loaded || !loadCancelled)
        cache.emplace(path, Loaded{loaded, KLastOutcome()});
    return loaded;
}

ShapePtr KBrepFileService::LoadFileUncached(const std::wstring& path)
{
    loadCancelled = false;
    SetOk();
    ShapePtr loaded = OnLoadFile(path);
    if (!loaded && KLastOutcome().Code == KOutcomeCode::Ok)
        SetOutcome(KOutcomeCode::TranslatorFailed,
                   "the " + KStringUtil::w2a(GetName()) + " file service gave no shape for " + KStringUtil::w2a(path),
                   KStringUtil::w2a(path));
    return loaded;
}

void KBrepFileService::Forget(const std::wstring& path)
{
    cache.erase(path);
    SetOk();
}

void KBrepFileService::ClearCache()
{
    cache.clear();
    SetOk();
}

} // namespace KorrCore
