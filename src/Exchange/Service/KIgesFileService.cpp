#include <KorrGeomCore/Service/KIgesFileService.h>

namespace KorrCore {

KIgesFileService::KIgesFileService() : KExchangeFileService(Format::Iges)
{
    SetName(L"IGES");
    SetTitle(L"IGES model");
    SetFileFilter(L"*.iges;*.igs");
}

} // namespace KorrCore
