#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/KColor.h>
#include <KorrGeomCore/Platform/Matrix4.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// A stretch of consecutive elements of one of the buffers below.
struct KMeshRange {
    std::size_t First = 0; // the first element's index
    std::size_t Count = 0; // the number of elements
};

// One face of a part: its triangles (counted in triangles, so Indices[3 *
// First] starts it) and its nodes in the part's buffers, and its colour.
struct KMeshFace {
    KMeshRange Triangles; // the face's triangles in KMeshPart::Indices, counted in triangles
    KMeshRange Nodes;     // the face's nodes in the part's node buffers, counted in nodes
    // The colour the shape gives the face: its own, else that of the nearest
    // shell, solid or compound solid around it in the part, else that of the
    // part's use (its instance colour, else its product colour). None when
    // the shape says nothing.
    std::optional<KColor> Colour;
};

// The display data of one part, in the part's own frame, held once however
// often the part is placed.
struct KORRGEOMCORE_EXPORT KMeshPart {
    // What the part is: a solid, a shell, a face, ...
    TopoShapeType Kind = TopoGeneric;
    // The name of the product the part is, when the shape carries one.
    std::string Product;
    // True when every face bounds a closed solid and has triangles, so that
    // no back face can ever show and a single-sided material draws the part;
    // false for open shells, loose faces, parts without faces and parts with
    // a face the mesher made nothing of.
    bool Closed = false;

    // x, y, z of each node; one unit normal per node, pointing out of the
    // material; u, v per node (0, 0 for a face meshed without parameters).
    std::vector<float> Positions;
    std::vector<float> Normals;
    std::vector<float> TexCoords;
    // Three node numbers per triangle, counter-clockwise seen from the side
    // the normals point to.
    std::vector<unsigned int> Indices;
    // The part's faces, in the order in which KTopoFaceExplor lists them,
    // leaving out repeats of a face it lists more than once. A face the mesher
    // made nothing of has empty ranges.
    std::vector<KMeshFace> Faces;

    // x, y, z of the points of every edge's polyline, one after another.
    std::vector<float> EdgePoints;
    // The part's distinct edges, in the order in which KTopoEdgeExplor lists
    // them: the points of each in EdgePoints. Degenerated edges (a sphere's
    // poles) have none.
    std::vector<KMeshRange> Edges;

    // The number of nodes and of triangles.
    std::size_t NodeCount() const { return Positions.size() / 3; }
    std::size_t TriangleCount() const { return Indices.size() / 3; }
};

// One placement of a part in the shape.
struct KMeshInstance {
    // The part placed, an index into KShapeMesh::Parts.
    std::size_t Part = 0;
    // From the part's own frame into the shape's frame: row-major, the
    // translation in the fourth column. Normals turn with its upper left 3x3
    // block; when that mirrors (negative determinant), the placed triangles
    // wind the other way round, as glTF viewers take them.
    KMath::Matrix4 Placement;
    // The name the shape gives this use of the part, when it carries one.
    std::string Name;
    // Which placed part of the shape this is: its number, from 0, among the
    // shapes other than compounds met by looking through the shape's
    // compounds in the kernel's order (the order in which KAssemblyExplor
    // lists children). A placement that brings nothing has no instance, so
    // numbers can be missing.
    std::size_t Occurrence = 0;
    // Where the part's faces and edges stand among the whole shape's, as
    // KTopoFaceExplor and KTopoEdgeExplor list them (repeats left out): face
    // f of the part is face Faces.First + f of the shape, and likewise for
    // edges. Count is the part's number of faces and edges.
    KMeshRange Faces;
    KMeshRange Edges;
};

// The display data of a whole shape, as KShapeMesher::Mesh fills it: each
// distinct part once, and each placement of a part as an instance of it.
// Located copies of one part (as translations and rotations make them,
// sharing their geometry) are instances of the same part, so a thousand
// copies cost one part's buffers and a thousand placements. Uses of one part
// that the shape colours differently are different parts.
struct KORRGEOMCORE_EXPORT KShapeMesh {
    // Each distinct part once.
    std::vector<KMeshPart> Parts;
    // In the order in which the shape's faces and edges are listed.
    std::vector<KMeshInstance> Instances;

    // The linear deflection the mesh was made with, in model units (or the
    // relative one, when asked for).
    double Deflection = 0.0;
};

} // namespace KorrCore
