#pragma once

#include <vector>

#include <TopoDS_Shape.hxx>

#include <KorrGeomCore/TopoExplor/KShapeMesh.h>

#include "Internal/TopoShape/ShapeAttributes.h"
#include "Library/TopoExplor/PartMesh.h"
#include "Library/TopoExplor/ShapeInstances.h"

namespace KorrCore {

// Fills the mesh with one instance per occurrence of a part that brings
// something (see FindContributions), and each mesh part once. An occurrence
// that brings only some of its faces and edges gets a mesh part of its own.
// Occurrences of one part share its mesh part when the attributes of `root`
// (null when it carries none) give them the same product name and face
// colours. False when a part's nodes would outnumber what an unsigned int
// index can name.
bool AssembleMesh(const ShapeInstances& instances, const std::vector<PartMesh>& parts, const TopoDS_Shape& root,
                  const ShapeAttributes* attributes, KShapeMesh& mesh);

} // namespace KorrCore
