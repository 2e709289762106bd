#pragma once

#include <cstddef>
#include <vector>

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/Matrix4.h>

namespace KorrCore {

// A stretch of consecutive elements of one of the buffers below.
struct KMeshRange {
    std::size_t First = 0;
    std::size_t Count = 0;
};

// Where one face lies in the merged buffers: its triangles (counted in
// triangles, so Indices[3 * First] starts it) and its nodes.
struct KMeshFaceRange {
    KMeshRange Triangles;
    KMeshRange Nodes;
};

// One placement of a part of the shape. Located copies of one part (as
// translations and rotations make them, sharing their geometry) are instances
// of the same Part: their faces and edges follow each other in the same order,
// with the same triangles, and only their placement differs.
struct KMeshInstance {
    // Instances with equal Part hold the same mesh.
    std::size_t Part = 0;
    // From the part's own frame into the shape's frame (row-major, translation
    // in the fourth column): the nodes of instance b are those of instance a
    // moved by Placement(b) * inverse(Placement(a)).
    KMath::Matrix4 Placement;
    // Its faces in Faces and its edges in Edges.
    KMeshRange Faces;
    KMeshRange Edges;
};

// The display data of a whole shape, as KShapeMesher::Mesh fills it. All
// coordinates are in the shape's frame.
struct KORRGEOMCORE_EXPORT KShapeMesh {
    // x, y, z of each node; one unit normal per node, pointing out of the
    // material; u, v per node (0, 0 for a face meshed without parameters).
    std::vector<float> Positions;
    std::vector<float> Normals;
    std::vector<float> TexCoords;
    // Three node numbers per triangle, counter-clockwise seen from the side
    // the normals point to.
    std::vector<unsigned int> Indices;
    // One entry per distinct face, in the order in which KTopoFaceExplor lists
    // the faces, leaving out repeats of a face it lists more than once. A face
    // the mesher made nothing of has empty ranges.
    std::vector<KMeshFaceRange> Faces;

    // x, y, z of the points of every edge's polyline, one after another.
    std::vector<float> EdgePoints;
    // One entry per distinct edge, in the order in which KTopoEdgeExplor lists
    // them: its points in EdgePoints. Degenerated edges (a sphere's poles) have
    // none.
    std::vector<KMeshRange> Edges;

    // The parts of the shape in the order their faces and edges appear above.
    std::vector<KMeshInstance> Instances;

    // The linear deflection the mesh was made with, in model units (or the
    // relative one, when asked for).
    double Deflection = 0.0;

    std::size_t NodeCount() const { return Positions.size() / 3; }
    std::size_t TriangleCount() const { return Indices.size() / 3; }
};

} // namespace KorrCore
