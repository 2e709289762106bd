#pragma once

#include <vector>

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// Edges of shapes, and their polylines. Kernel exceptions raised inside these
// functions reach the caller.
class KORRGEOMCORE_EXPORT KTopoEdgeExplor {
public:
    // Appends each distinct edge of the shape once (orientation ignored), in
    // order of first occurrence; an edge appends its own handle. False, with the
    // list unchanged, for a null handle or shape (reported) and for a vertex.
    static bool Explor(const ShapePtr& shape, ShapeList& edges);

    // Samples the edge's curve into one polyline, x, y, z per point in the
    // global frame, from the curve's first to its last parameter whatever the
    // edge's orientation; no point lies further than `deflection` from the
    // curve. The buffer is replaced. False, buffer untouched, for a null handle,
    // shape or buffer, an edge without a 3D curve, when sampling fails, or
    // when a point would not be finite or would lie outside the edge's
    // bounding box widened by the deflection (damaged curves);
    // another kind of shape raises Standard_TypeMismatch ("TopoDS::Edge").
    static bool Explor(const ShapePtr& edge, std::vector<float>* points, double deflection);
};

} // namespace KorrCore
