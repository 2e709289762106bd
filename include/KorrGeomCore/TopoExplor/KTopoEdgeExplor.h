#pragma once

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// Edges of shapes. Kernel exceptions raised inside these functions reach the
// caller.
class KORRGEOMCORE_EXPORT KTopoEdgeExplor {
public:
    // Appends each distinct edge of the shape once (orientation ignored), in
    // order of first occurrence; an edge appends its own handle. False, with the
    // list unchanged, for a null handle or shape (reported) and for a vertex.
    static bool Explor(const ShapePtr& shape, ShapeList& edges);
};

} // namespace KorrCore
