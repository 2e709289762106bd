#include <KorrGeomCore/Service/KNativeBrepFileService.h>
#include <KorrGeomCore/TopoShape/KBrepTools.h>

#include "Internal/Core/Check.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "Service/KNativeBrepFileService";

} // namespace

KNativeBrepFileService::KNativeBrepFileService()
{
    SetName(L"BREP");
    SetTitle(L"BRep model");
    SetFileFilter(L"*.brep;*.brp");
}

ShapePtr KNativeBrepFileService::OnLoadFile(const std::wstring& path)
{
    return KBrepTools::ReadBrepFile(path, nullptr);
}

void KNativeBrepFileService::SaveFile(const ShapeList& shapes, const std::wstring& path)
{
    KORR_CHECK(KBrepTools::SaveBrepFile(shapes, path, nullptr), "Failed to save file!");
}

} // namespace KorrCore
