#pragma once

#include <vector>

#include "Library/TopoExplor/PartMesh.h"
#include "Library/TopoExplor/ShapeInstances.h"

namespace KorrCore {

// What one occurrence of a part brings into the mesh: the part's faces and
// edges (1 ... extent) that no earlier occurrence brought.
struct Contribution {
    const ShapeInstances::Occurrence* occurrence;
    std::vector<int> faces;
    std::vector<int> edges;
};

// The occurrences that bring something, in order. A face or an edge that an
// earlier occurrence already brought (the same face at the same place,
// reached twice) is left out, so that the faces and edges come as the
// explorers list them with the repeats removed.
std::vector<Contribution> FindContributions(const ShapeInstances& instances, const std::vector<PartMesh>& parts);

} // namespace KorrCore
