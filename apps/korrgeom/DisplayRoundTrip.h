#pragma once

#include <cstddef>

#include <KorrGeomCore/KorrGeomCore.h>

#include "DisplayMesh.h"

namespace korrgeom {

// How many pieces a stage found, and how many of them reached the mesh.
struct Tally {
    std::size_t listed = 0;
    std::size_t added = 0;

    Tally& operator+=(const Tally& other);
};

// Lists the shape's faces and tessellates each into the mesh, with the given
// deflection and texture coordinates normalised to 0 ... 1 per face.
Tally AddFaces(const KorrCore::ShapePtr& shape, double deflection, DisplayMesh& mesh);

// Lists the shape's distinct edges and samples each into a polyline of the
// mesh. Edges without a curve (a sphere's poles) or with a single point give
// nothing to draw and are left out.
Tally AddEdges(const KorrCore::ShapePtr& shape, double deflection, DisplayMesh& mesh);

} // namespace korrgeom
