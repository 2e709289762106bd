#pragma once

#include <vector>

#include <KorrGeomCore/TopoExplor/KShapeMesh.h>

#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS_Shape.hxx>
#include <gp_XYZ.hxx>

#include "TopoExplor/TextureMapping.h"
#include "TopoExplor/WholeShapeMeshing.h"

namespace KorrCore {

// The display data of one meshed part, in the part's own frame and in double
// precision, ready to be placed once per occurrence of the part.
struct PartMesh {
    // The part's distinct faces and edges, in the order the explorers list them.
    TopTools_IndexedMapOfShape faces;
    TopTools_IndexedMapOfShape edges;

    // Per face (same order as `faces`) its nodes and triangles in the arrays
    // below; a face's triangles count from its own first node.
    std::vector<KMeshFaceRange> faceRanges;
    std::vector<gp_XYZ> positions;
    std::vector<gp_XYZ> normals;
    std::vector<float> texCoords;
    std::vector<unsigned int> triangles;

    // Per edge (same order as `edges`) its polyline in edgePoints.
    std::vector<KMeshRange> edgeRanges;
    std::vector<gp_XYZ> edgePoints;
};

// Reads the triangulations the mesher left on the part's faces: nodes placed
// by each face's location, shading normals out of the material, winding
// following the face's orientation and the handedness of its location,
// texture coordinates; then one polyline per edge from the polygon the mesher
// left on a face's triangulation, or sampled from the edge's curve when no
// meshed face carries one.
PartMesh ReadPartMesh(const TopoDS_Shape& part, const MeshSettings& settings, const UVSettings& uv);

} // namespace KorrCore
