#include "DisplayMesh.h"

namespace korrgeom {

void DisplayMesh::AppendFace(const std::vector<float>& facePositions, const std::vector<unsigned int>& faceIndices,
                             const std::vector<float>& faceNormals, const std::vector<float>& faceTexCoords)
{
    const auto offset = static_cast<unsigned int>(NodeCount());
    indices.reserve(indices.size() + faceIndices.size());
    for (unsigned int index : faceIndices)
        indices.push_back(offset + index);
    positions.insert(positions.end(), facePositions.begin(), facePositions.end());
    normals.insert(normals.end(), faceNormals.begin(), faceNormals.end());
    const std::size_t faceNodes = facePositions.size() / 3;
    if (faceTexCoords.size() == 2 * faceNodes)
        texCoords.insert(texCoords.end(), faceTexCoords.begin(), faceTexCoords.end());
    else
        texCoords.resize(texCoords.size() + 2 * faceNodes, 0.0f);
}

void DisplayMesh::AppendPolyline(const std::vector<float>& points)
{
    polylines.push_back({LinePointCount(), points.size() / 3});
    linePoints.insert(linePoints.end(), points.begin(), points.end());
}

} // namespace korrgeom
