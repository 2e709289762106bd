#pragma once

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Service/KBrepFileService.h>

namespace KorrCore {

// The library's own BRep files (the kernel's native text format) as a file
// service, so that a host can treat them like every other format: name
// "BREP", filter "*.brep;*.brp". Loads and saves as KBrepTools::ReadBrepFile
// and SaveBrepFile do, a list of shapes as one compound of them; names and
// colours are not kept, and the progress indicator is not used. A save that
// fails reports "Failed to save file!" and leaves any previous file as it was.
class KORRGEOMCORE_EXPORT KNativeBrepFileService : public KBrepFileService {
public:
    KNativeBrepFileService();

    ShapePtr OnLoadFile(const std::wstring& path) override;
    void SaveFile(const ShapeList& shapes, const std::wstring& path) override;
};

} // namespace KorrCore
