#pragma once

#include <KorrGeomCore/KorrGeomCore.h>

#include "InspectVerdict.h"

namespace KorrFuzz {

// Does with a shape what a host does: asks its kind and box, lists its edges,
// faces and vertices, reads vertex positions, tessellates every face (both
// forms, the pointer form with and without indices) and samples every edge
// at a deflection scaled to the shape, and
// meshes it whole with the default options. Every result reported as a
// success is checked: finite numbers, indices and ranges that name existing
// entries, points within the box the shape had before meshing (widened by the
// deflection). The explorers let kernel exceptions through by design; those
// are counted. Any other exception, and any exception from the whole-shape
// mesher, is a fault. Inspection stops at the first fault.
InspectVerdict Examine(const KorrCore::ShapePtr& shape);

// The fuzzers' form: a fault is printed and aborts, so that libFuzzer keeps the
// input as a finding.
void Inspect(const KorrCore::ShapePtr& shape);

} // namespace KorrFuzz
