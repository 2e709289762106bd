#pragma once

#include <string>

#include <KorrGeomCore/KorrGeomCoreExport.h>

namespace KorrCore {

// Conversions between the wide strings of the interface (paths, names) and
// UTF-8.
class KORRGEOMCORE_EXPORT KStringUtil {
public:
    // The narrow form of a wide string in the system's file-name encoding
    // (UTF-8), so that any path a host can express names the same file.
    // Code units that are not valid Unicode become U+FFFD.
    static std::string w2a(const std::wstring& wide);
    // The inverse, for hosts holding UTF-8 paths (command lines, say): malformed
    // byte sequences become U+FFFD.
    static std::wstring a2w(const std::string& narrow);
};

} // namespace KorrCore
