#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <KorrGeomCore/KorrGeomCore.h>

#include "Scene.h"

namespace korrgeom {

struct NamedMesh {
    std::string name;
    KorrCore::KShapeMesh mesh;
};

// Each shape of the scene meshed in one call, with the given deflection and
// texture coordinates normalised to 0 ... 1 per face. Shapes that are not
// built, or that the mesher refuses, are left out.
std::vector<NamedMesh> MeshScene(const Scene& scene, double deflection);

// Totals over the meshes, for the summary: faces and edges as the shapes
// place them, triangles, nodes and points as the parts hold them.
struct MeshTotals {
    std::size_t faces = 0, meshedFaces = 0, triangles = 0, nodes = 0;
    std::size_t edges = 0, drawnEdges = 0, linePoints = 0;
    std::size_t parts = 0, instances = 0;
};

MeshTotals Totals(const std::vector<NamedMesh>& meshes);

} // namespace korrgeom
