#pragma once

#include <cstddef>
#include <vector>

namespace korrgeom {

// The display data of a whole scene: the triangles of every face joined into
// one indexed mesh, and every edge's polyline kept apart, as a renderer takes
// them. Coordinates are x, y, z per node or point; texture coordinates u, v per
// node.
struct DisplayMesh {
    struct Polyline {
        std::size_t firstPoint;
        std::size_t pointCount;
    };

    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<float> texCoords;
    std::vector<unsigned int> indices;
    std::vector<float> linePoints;
    std::vector<Polyline> polylines;

    std::size_t NodeCount() const { return positions.size() / 3; }
    std::size_t TriangleCount() const { return indices.size() / 3; }
    std::size_t LinePointCount() const { return linePoints.size() / 3; }

    // Appends one face's buffers as the face tessellation fills them: its
    // indices count from its own first node, so they are moved past the nodes
    // already held. A face without texture coordinates gets (0, 0) per node,
    // so that every node keeps one pair.
    void AppendFace(const std::vector<float>& facePositions, const std::vector<unsigned int>& faceIndices,
                    const std::vector<float>& faceNormals, const std::vector<float>& faceTexCoords);

    void AppendPolyline(const std::vector<float>& points);
};

} // namespace korrgeom
