#pragma once

#include <KorrGeomCore/KorrGeomCore.h>

namespace KorrFuzz {

// Does with a shape what a host does: asks its kind and box, lists its edges,
// faces and vertices, reads vertex positions, tessellates every face and samples
// every edge at a deflection scaled to the shape, and meshes it whole. The
// explorers let kernel exceptions through by design; those are caught here,
// anything else is a finding.
void Inspect(const KorrCore::ShapePtr& shape);

} // namespace KorrFuzz
