#include "MeshCounts.h"

namespace korrgeom {

using namespace KorrCore;

MeshCounts::MeshCounts(const KShapeMesh& mesh)
{
    for (const KMeshInstance& instance : mesh.Instances) {
        const KMeshPart& part = mesh.Parts[instance.Part];
        faces += part.Faces.size();
        for (const KMeshFace& face : part.Faces)
            meshedFaces += face.Triangles.Count > 0;
        triangles += part.TriangleCount();
        nodes += part.NodeCount();
        edges += part.Edges.size();
        for (const KMeshRange& edge : part.Edges)
            drawnEdges += edge.Count >= 2;
        edgePoints += part.EdgePoints.size() / 3;
    }
}

MeshCounts& MeshCounts::operator+=(const MeshCounts& other)
{
    faces += other.faces;
    meshedFaces += other.meshedFaces;
    triangles += other.triangles;
    nodes += other.nodes;
    edges += other.edges;
    drawnEdges += other.drawnEdges;
    edgePoints += other.edgePoints;
    return *this;
}

} // namespace korrgeom
