#pragma once

#include <memory>
#include <string>
#include <vector>

#include <KorrGeomCore/Service/KBrepFileService.h>

namespace KorrCore {

// Every file service the library has, one of each, fresh.
std::vector<std::shared_ptr<KBrepFileService>> LibraryServices();

// Whether one of the filter's "*.ext" patterns (separated by ';') ends the
// path, compared without regard to case.
bool FilterNames(const std::wstring& filter, const std::wstring& path);

} // namespace KorrCore
