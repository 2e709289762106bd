#pragma once

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// Faces of shapes. Kernel exceptions raised inside these functions reach the
// caller.
class KORRGEOMCORE_EXPORT KTopoFaceExplor {
public:
    // Appends one entry per face occurrence, in traversal order; a face appends
    // its own handle. False, with the list unchanged, for a null handle or shape
    // (reported) and for wires, edges and vertices.
    static bool Explor(const ShapePtr& shape, ShapeList& faces);
};

} // namespace KorrCore
