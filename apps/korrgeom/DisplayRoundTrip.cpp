#include "DisplayRoundTrip.h"

namespace korrgeom {

using namespace KorrCore;

Tally& Tally::operator+=(const Tally& other)
{
    listed += other.listed;
    added += other.added;
    return *this;
}

Tally AddFaces(const ShapePtr& shape, double deflection, DisplayMesh& mesh)
{
    ShapeList faces;
    KTopoFaceExplor::Explor(shape, faces);
    ExplorFaceOptions options;
    options.Deflection = deflection;
    options.NormalizeUV = true;
    // One set of buffers for every face: each call overwrites them.
    std::vector<float> positions, normals, texCoords;
    std::vector<unsigned int> indices;
    Tally tally;
    for (const ShapePtr& face : faces) {
        ++tally.listed;
        if (!KTopoFaceExplor::Explor(face, positions, indices, normals, texCoords, options))
            continue;
        mesh.AppendFace(positions, indices, normals, texCoords);
        ++tally.added;
    }
    return tally;
}

Tally AddEdges(const ShapePtr& shape, double deflection, DisplayMesh& mesh)
{
    ShapeList edges;
    KTopoEdgeExplor::Explor(shape, edges);
    std::vector<float> points;
    Tally tally;
    for (const ShapePtr& edge : edges) {
        ++tally.listed;
        if (!KTopoEdgeExplor::Explor(edge, &points, deflection) || points.size() < 2 * 3)
            continue;
        mesh.AppendPolyline(points);
        ++tally.added;
    }
    return tally;
}

} // namespace korrgeom
