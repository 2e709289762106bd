#include "support/MeshChecks.h"

#include <array>
#include <map>

#include <gp_Mat.hxx>

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

namespace {

::testing::AssertionResult PartRangesCoverEverything(const KorrCore::KMeshPart& part)
{
    std::size_t triangles = 0, nodes = 0;
    for (std::size_t f = 0; f < part.Faces.size(); ++f) {
        const KorrCore::KMeshFace& face = part.Faces[f];
        if (face.Triangles.First != triangles || face.Nodes.First != nodes)
            return ::testing::AssertionFailure() << "face " << f << " does not start where face " << f - 1 << " ends";
        for (std::size_t i = 3 * face.Triangles.First; i < 3 * (face.Triangles.First + face.Triangles.Count); ++i)
            if (part.Indices[i] < face.Nodes.First || part.Indices[i] >= face.Nodes.First + face.Nodes.Count)
                return ::testing::AssertionFailure() << "face " << f << " names node " << part.Indices[i];
        triangles += face.Triangles.Count;
        nodes += face.Nodes.Count;
    }
    if (triangles != part.TriangleCount() || nodes != part.NodeCount())
        return ::testing::AssertionFailure() << "faces cover " << triangles << " of " << part.TriangleCount()
                                             << " triangles and " << nodes << " of " << part.NodeCount() << " nodes";
    if (part.Normals.size() != part.Positions.size() || part.TexCoords.size() != 2 * part.NodeCount())
        return ::testing::AssertionFailure() << "normal or texture-coordinate buffer does not match the nodes";
    std::size_t points = 0;
    for (const KorrCore::KMeshRange& edge : part.Edges) {
        if (edge.First != points)
            return ::testing::AssertionFailure() << "edge ranges leave a gap or overlap at point " << points;
        points += edge.Count;
    }
    if (3 * points != part.EdgePoints.size())
        return ::testing::AssertionFailure()
               << "edges cover " << points << " of " << part.EdgePoints.size() / 3 << " points";
    return ::testing::AssertionSuccess();
}

} // namespace

::testing::AssertionResult RangesCoverEverything(const KorrCore::KShapeMesh& mesh)
{
    for (std::size_t p = 0; p < mesh.Parts.size(); ++p)
        if (const ::testing::AssertionResult covered = PartRangesCoverEverything(mesh.Parts[p]); !covered)
            return ::testing::AssertionFailure() << "part " << p << ": " << covered.message();
    std::size_t faces = 0, edges = 0;
    for (std::size_t i = 0; i < mesh.Instances.size(); ++i) {
        const KorrCore::KMeshInstance& instance = mesh.Instances[i];
        if (instance.Part >= mesh.Parts.size())
            return ::testing::AssertionFailure() << "instance " << i << " places part " << instance.Part;
        const KorrCore::KMeshPart& part = mesh.Parts[instance.Part];
        if (instance.Faces.First != faces || instance.Faces.Count != part.Faces.size() ||
            instance.Edges.First != edges || instance.Edges.Count != part.Edges.size())
            return ::testing::AssertionFailure() << "instance " << i << " does not follow the one before or its part";
        faces += instance.Faces.Count;
        edges += instance.Edges.Count;
    }
    return ::testing::AssertionSuccess();
}

PlacedTriangles Placed(const KorrCore::KShapeMesh& mesh)
{
    PlacedTriangles placed;
    for (const KorrCore::KMeshInstance& instance : mesh.Instances) {
        const KorrCore::KMeshPart& part = mesh.Parts[instance.Part];
        const KMath::Matrix4& m = instance.Placement;
        const gp_Mat turn(m(0, 0), m(0, 1), m(0, 2), m(1, 0), m(1, 1), m(1, 2), m(2, 0), m(2, 1), m(2, 2));
        const auto first = static_cast<unsigned int>(placed.positions.size() / 3);
        for (std::size_t n = 0; n < part.NodeCount(); ++n) {
            const gp_XYZ position = turn * Triple(part.Positions, n) + gp_XYZ(m(0, 3), m(1, 3), m(2, 3));
            const gp_XYZ normal = (turn * Triple(part.Normals, n)).Normalized();
            for (int c = 1; c <= 3; ++c) {
                placed.positions.push_back(static_cast<float>(position.Coord(c)));
                placed.normals.push_back(static_cast<float>(normal.Coord(c)));
            }
        }
        const bool mirrors = turn.Determinant() < 0;
        for (std::size_t t = 0; t < part.TriangleCount(); ++t)
            for (const std::size_t corner :
                 {std::size_t(0), std::size_t(mirrors ? 2 : 1), std::size_t(mirrors ? 1 : 2)})
                placed.indices.push_back(first + part.Indices[3 * t + corner]);
    }
    return placed;
}

} // namespace KorrTest
