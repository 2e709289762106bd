#include <KorrGeomCore/TopoShape/KPipeShellParam.h>

namespace KorrCore {

// Defined here rather than in the header so that the exported class's special
// members live in the library.
KPipeShellParam::KPipeShellParam() = default;
KPipeShellParam::KPipeShellParam(const KPipeShellParam& other) = default;
KPipeShellParam& KPipeShellParam::operator=(const KPipeShellParam& other) = default;
KPipeShellParam::~KPipeShellParam() = default;

void KPipeShellParam::AddProfile(const SectionProfile& profile) { Profiles.push_back(profile); }

} // namespace KorrCore
