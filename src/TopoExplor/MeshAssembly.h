#pragma once

#include <vector>

#include <KorrGeomCore/TopoExplor/KShapeMesh.h>

#include "TopoExplor/PartMesh.h"
#include "TopoExplor/ShapeInstances.h"

namespace KorrCore {

// Fills the mesh's buffers with every occurrence of every part, placed by its
// location, each buffer sized once and written by position. A face or an
// edge that an earlier occurrence already brought (the same face at the same
// place, reached twice) is left out, so that the faces and edges come in the
// order, and with the repeats removed, of the explorers' lists. False when
// the nodes would outnumber what an unsigned int index can name.
bool AssembleMesh(const ShapeInstances& instances, const std::vector<PartMesh>& parts, KShapeMesh& mesh);

} // namespace KorrCore
