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
        for (const KMeshInstance& instance : mesh.Instances) {
            const KMeshPart& part = mesh.Parts[instance.Part];
            totals.faces += part.Faces.size();
            for (const KMeshFace& face : part.Faces)
                totals.meshedFaces += face.Triangles.Count > 0;
            totals.edges += part.Edges.size();
            for (const KMeshRange& edge : part.Edges)
                totals.drawnEdges += edge.Count >= 2;
        }
        for (const KMeshPart& part : mesh.Parts) {
            totals.triangles += part.TriangleCount();
            totals.nodes += part.NodeCount();
            totals.linePoints += part.EdgePoints.size() / 3;
        }
        totals.parts += mesh.Parts.size();
        totals.instances += mesh.Instances.size();
    }
    return totals;
}

} // namespace korrgeom
