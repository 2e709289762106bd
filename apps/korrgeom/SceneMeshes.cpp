#include "SceneMeshes.h"

namespace korrgeom {

using namespace KorrCore;

std::vector<NamedMesh> MeshScene(const Scene& scene, double deflection)
{
    KMeshOptions options;
    options.Deflection = deflection;
    options.NormalizeUV = true;
    std::vector<NamedMesh> meshes;
    for (const NamedShape& named : scene) {
        NamedMesh meshed{named.name, {}};
        if (named.shape && KShapeMesher::Mesh(named.shape, options, meshed.mesh))
            meshes.push_back(std::move(meshed));
    }
    return meshes;
}

MeshTotals Totals(const std::vector<NamedMesh>& meshes)
{
    MeshTotals totals;
    for (const NamedMesh& named : meshes) {
        const KShapeMesh& mesh = named.mesh;
        totals.faces += mesh.Faces.size();
        for (const KMeshFaceRange& face : mesh.Faces)
            totals.meshedFaces += face.Triangles.Count > 0;
        totals.triangles += mesh.TriangleCount();
        totals.nodes += mesh.NodeCount();
        totals.edges += mesh.Edges.size();
        for (const KMeshRange& edge : mesh.Edges)
            totals.drawnEdges += edge.Count >= 2;
        totals.linePoints += mesh.EdgePoints.size() / 3;
        totals.instances += mesh.Instances.size();
    }
    return totals;
}

} // namespace korrgeom
