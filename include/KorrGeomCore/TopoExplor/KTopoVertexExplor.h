#pragma once

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/Vector3.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// Vertices of shapes. Kernel exceptions raised inside these functions reach the
// caller.
class KORRGEOMCORE_EXPORT KTopoVertexExplor {
public:
    // Appends one entry per vertex occurrence: a vertex shared by several edges
    // is listed once per edge use. A vertex appends its own handle. False, with
    // the list unchanged, for a null handle or shape (reported).
    static bool Explor(const ShapePtr& shape, ShapeList& vertices);

    // The vertex's point, placed by its location. A shape of another kind raises
    // the kernel's Standard_TypeMismatch ("TopoDS::Vertex"); a null handle or
    // shape is reported and gives false with the position untouched.
    static bool Explor(const ShapePtr& vertex, KMath::Vector3& position);
};

} // namespace KorrCore
