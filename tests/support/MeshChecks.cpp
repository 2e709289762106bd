#include "support/MeshChecks.h"

#include <array>
#include <map>

namespace KorrTest {

::testing::AssertionResult WindingFollowsNormals(const std::vector<float>& positions, const std::vector<float>& normals,
                                                 const std::vector<unsigned int>& indices)
{
    for (std::size_t t = 0; t + 2 < indices.size(); t += 3) {
        const gp_XYZ a = Triple(positions, indices[t]), b = Triple(positions, indices[t + 1]),
                     c = Triple(positions, indices[t + 2]);
        const gp_XYZ wound = (b - a) ^ (c - a);
        if (wound.Modulus() <= 1e-9)
            continue;
        for (std::size_t corner = 0; corner < 3; ++corner)
            if (wound.Dot(Triple(normals, indices[t + corner])) <= 0)
                return ::testing::AssertionFailure()
                       << "triangle " << t / 3 << " is wound against the normal of its corner " << corner;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult WatertightAfterWelding(const std::vector<float>& positions,
                                                  const std::vector<unsigned int>& indices)
{
    std::map<std::array<float, 3>, std::size_t> places;
    std::vector<std::size_t> welded(positions.size() / 3);
    for (std::size_t i = 0; i < welded.size(); ++i)
        welded[i] = places.try_emplace({positions[3 * i], positions[3 * i + 1], positions[3 * i + 2]}, places.size())
                        .first->second;

    // Directed sides: (from, to) -> how often a triangle runs along it.
    std::map<std::pair<std::size_t, std::size_t>, int> sides;
    for (std::size_t t = 0; t + 2 < indices.size(); t += 3) {
        const std::size_t corners[] = {welded[indices[t]], welded[indices[t + 1]], welded[indices[t + 2]]};
        if (corners[0] == corners[1] || corners[1] == corners[2] || corners[2] == corners[0])
            continue; // no area once welded
        for (std::size_t k = 0; k < 3; ++k)
            ++sides[{corners[k], corners[(k + 1) % 3]}];
    }
    for (const auto& [side, count] : sides) {
        const auto opposite = sides.find({side.second, side.first});
        if (count != 1 || opposite == sides.end() || opposite->second != 1)
            return ::testing::AssertionFailure()
                   << "side " << side.first << " -> " << side.second << " is run along " << count
                   << " times, the other way " << (opposite == sides.end() ? 0 : opposite->second) << " times";
    }
    return ::testing::AssertionSuccess();
}

double EnclosedVolume(const std::vector<float>& positions, const std::vector<unsigned int>& indices)
{
    double volume = 0;
    for (std::size_t t = 0; t + 2 < indices.size(); t += 3)
        volume +=
            Triple(positions, indices[t]).Dot(Triple(positions, indices[t + 1]) ^ Triple(positions, indices[t + 2]));
    return volume / 6;
}

::testing::AssertionResult RangesCoverEverything(const KorrCore::KShapeMesh& mesh)
{
    std::size_t triangles = 0, nodes = 0;
    for (std::size_t f = 0; f < mesh.Faces.size(); ++f) {
        const KorrCore::KMeshFaceRange& face = mesh.Faces[f];
        if (face.Triangles.First != triangles || face.Nodes.First != nodes)
            return ::testing::AssertionFailure() << "face " << f << " does not start where face " << f - 1 << " ends";
        for (std::size_t i = 3 * face.Triangles.First; i < 3 * (face.Triangles.First + face.Triangles.Count); ++i)
            if (mesh.Indices[i] < face.Nodes.First || mesh.Indices[i] >= face.Nodes.First + face.Nodes.Count)
                return ::testing::AssertionFailure() << "face " << f << " names node " << mesh.Indices[i];
        triangles += face.Triangles.Count;
        nodes += face.Nodes.Count;
    }
    if (triangles != mesh.TriangleCount() || nodes != mesh.NodeCount())
        return ::testing::AssertionFailure() << "faces cover " << triangles << " of " << mesh.TriangleCount()
                                             << " triangles and " << nodes << " of " << mesh.NodeCount() << " nodes";
    if (mesh.Normals.size() != mesh.Positions.size() || mesh.TexCoords.size() != 2 * mesh.NodeCount())
        return ::testing::AssertionFailure() << "normal or texture-coordinate buffer does not match the nodes";
    std::size_t points = 0;
    for (const KorrCore::KMeshRange& edge : mesh.Edges) {
        if (edge.First != points)
            return ::testing::AssertionFailure() << "edge ranges leave a gap or overlap at point " << points;
        points += edge.Count;
    }
    if (3 * points != mesh.EdgePoints.size())
        return ::testing::AssertionFailure()
               << "edges cover " << points << " of " << mesh.EdgePoints.size() / 3 << " points";
    return ::testing::AssertionSuccess();
}

} // namespace KorrTest
