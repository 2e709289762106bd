#pragma once

#include <string>

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// The shape a whole BRep text describes, read by the kernel only after the
// screen has passed the text; null otherwise. For the library's own readers
// of other formats, which hand their shapes over as BRep text.
KORRGEOMCORE_EXPORT ShapePtr ReadBrepText(std::string text);

} // namespace KorrCore
