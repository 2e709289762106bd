#pragma once

#include <KorrGeomCore/KorrGeomCore.h>

namespace korrgeom {

// The display data of a shape gathered as a host does without KShapeMesher:
// each face tessellated by its own KTopoFaceExplor call and each edge sampled
// by its own KTopoEdgeExplor call, joined into one part placed once, in the
// shape's frame. Faces and edges keep the explorers' order, each face once
// however often the shape uses it; a face or edge that gives nothing to draw
// keeps an empty range. Kernel exceptions reach
// the caller, as the explorers let them through.
KorrCore::KShapeMesh MeshFaceByFace(const KorrCore::ShapePtr& shape, double deflection);

} // namespace korrgeom
