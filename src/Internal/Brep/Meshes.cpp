#include <algorithm>

#include "Internal/Brep/Sections.h"

namespace KorrCore::BrepScreen {

// Stored meshes: polylines of edges in space, polylines of edges given as node
// numbers of a face's triangulation, and the triangulations themselves. The
// kernel sizes its arrays from the counts, so every count must be at least 1.

bool Polygon3DSection(Cursor& cursor, Tables& tables)
{
    return CountedSection(cursor, "Polygon3D", tables.polygons3d, [&] {
        std::int64_t nodes = 0;
        bool parameters = false;
        return cursor.Int(1, INT_MAX, nodes) && cursor.Flag(parameters) && cursor.Reals(1) // deflection
               && cursor.Reals(3 * nodes) && cursor.Reals(parameters ? nodes : 0);
    });
}

bool PolygonOnTriangulationsSection(Cursor& cursor, Tables& tables)
{
    std::int64_t count = 0;
    return CountedSection(cursor, "PolygonOnTriangulations", count, [&] {
        std::int64_t nodes = 0, largest = 0;
        if (!cursor.Int(1, INT_MAX, nodes))
            return false;
        for (std::int64_t i = 0; i < nodes; ++i) {
            std::int64_t node = 0;
            if (!cursor.Int(1, INT_MAX, node))
                return false;
            largest = std::max(largest, node);
        }
        bool parameters = false;
        tables.polygonLargestNode.push_back(largest);
        return cursor.Word("p") && cursor.Reals(1) && cursor.Flag(parameters) && cursor.Reals(parameters ? nodes : 0);
    });
}

bool TriangulationsSection(Cursor& cursor, Tables& tables)
{
    std::int64_t count = 0;
    return CountedSection(cursor, "Triangulations", count, [&] {
        std::int64_t nodes = 0, triangles = 0;
        bool uv = false, normals = false;
        if (!cursor.Int(1, INT_MAX, nodes) || !cursor.Int(1, INT_MAX, triangles) || !cursor.Flag(uv))
            return false;
        // Normals are stored from the third version of the format on.
        if (tables.format >= 3 && !cursor.Flag(normals))
            return false;
        if (!cursor.Reals(1) || !cursor.Reals(3 * nodes) || !cursor.Reals(uv ? 2 * nodes : 0))
            return false;
        for (std::int64_t i = 0; i < 3 * triangles; ++i)
            if (!cursor.Int(1, nodes))
                return false;
        tables.triangulationNodes.push_back(nodes);
        return cursor.Reals(normals ? 3 * nodes : 0);
    });
}

} // namespace KorrCore::BrepScreen
