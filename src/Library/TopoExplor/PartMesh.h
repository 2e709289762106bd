#pragma once

#include <vector>

#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS_Shape.hxx>
#include <gp_XYZ.hxx>

#include "Library/TopoExplor/FaceMesh.h"
#include "Library/TopoExplor/TextureMapping.h"
#include "Library/TopoExplor/WholeShapeMeshing.h"

namespace KorrCore {

// The display data of one meshed part, in the part's own frame and in double
// precision, ready to be placed once per occurrence of the part.
struct PartMesh {
    // The part's distinct faces and edges, in the order the explorers list them.
    TopTools_IndexedMapOfShape faces;
    TopTools_IndexedMapOfShape edges;

    // Per face (same order as `faces`) its shaded mesh; empty for a face the
    // mesher made nothing of, or whose mesh cannot be shown.
    std::vector<FaceMesh> faceMeshes;
    // Per edge (same order as `edges`) its polyline.
    std::vector<std::vector<gp_XYZ>> edgePolylines;
    // Every face lies on a closed shell of a solid and has triangles (see
    // KMeshPart::Closed).
    bool closed = false;
};

// Reads the triangulations the mesher left on the part's faces as they are
// shaded (see ReadShadedFace), then one polyline per edge from the polygon the
// mesher left on a face's triangulation, or sampled from the edge's curve when
// no meshed face carries one. Faces and edges whose data cannot be shown stay
// empty. The part is closed when its faces bound closed solids and each of
// them came out of the mesher with triangles.
PartMesh ReadPartMesh(const TopoDS_Shape& part, const MeshSettings& settings, const UVSettings& uv);

} // namespace KorrCore
