#include <KorrGeomCore/Service/KStepFileService.h>

namespace KorrCore {

KStepFileService::KStepFileService() : KExchangeFileService(Format::Step)
{
    SetName(L"STEP");
    SetTitle(L"STEP model");
    SetFileFilter(L"*.step;*.stp");
}

} // namespace KorrCore
