#pragma once

#include <cstddef>

#include <KorrGeomCore/TopoExplor/KShapeMesh.h>

namespace korrgeom {

// What a mesh shows, as its instances place it: a part placed three times
// counts three times, as it is drawn.
struct MeshCounts {
    std::size_t faces = 0, meshedFaces = 0, triangles = 0, nodes = 0;
    std::size_t edges = 0, drawnEdges = 0, edgePoints = 0;

    explicit MeshCounts(const KorrCore::KShapeMesh& mesh);
    MeshCounts() = default;
    MeshCounts& operator+=(const MeshCounts& other);
};

} // namespace korrgeom
