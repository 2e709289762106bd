#include "support/Checks.h"

#include <gp_Mat.hxx>

namespace KorrTest {

using ::testing::AssertionFailure;

AssertionResult WellFormed(const std::vector<float>& positions, const std::vector<float>& normals,
                           const std::vector<unsigned int>& indices, bool shaded)
{
    const std::size_t nodes = positions.size() / 3;
    if (positions.size() % 3 != 0 || normals.size() != positions.size() || indices.size() % 3 != 0)
        return AssertionFailure() << positions.size() << " coordinates, " << normals.size() << " normal components, "
                                  << indices.size() << " indices";
    for (std::size_t i = 0; i < nodes; ++i)
        if (!std::isfinite(Triple(positions, i).Modulus()) ||
            !(shaded ? std::abs(Triple(normals, i).Modulus() - 1) < 1e-5 : std::isfinite(Triple(normals, i).Modulus())))
            return AssertionFailure() << "node " << i << " is not finite, or its normal not of unit length";
    for (std::size_t t = 0; t < indices.size(); t += 3) {
        if (std::max({indices[t], indices[t + 1], indices[t + 2]}) >= nodes)
            return AssertionFailure() << "triangle " << t / 3 << " names a node beyond " << nodes;
        const gp_XYZ a = Triple(positions, indices[t]);
        const gp_XYZ wound = (Triple(positions, indices[t + 1]) - a) ^ (Triple(positions, indices[t + 2]) - a);
        for (std::size_t corner = 0; shaded && wound.Modulus() > 1e-9 && corner < 3; ++corner)
            if (wound.Dot(Triple(normals, indices[t + corner])) <= 0)
                return AssertionFailure() << "triangle " << t / 3 << " is wound against its corner " << corner;
    }
    return ::testing::AssertionSuccess();
}

namespace {

AssertionResult PartWellFormed(const KorrCore::KMeshPart& part)
{
    std::size_t triangles = 0, nodes = 0, points = 0;
    for (const KorrCore::KMeshFace& face : part.Faces) {
        bool apart = face.Triangles.First == triangles && face.Nodes.First == nodes;
        for (std::size_t i = 3 * triangles; apart && i < 3 * (triangles + face.Triangles.Count); ++i)
            apart = i < part.Indices.size() && part.Indices[i] >= nodes && part.Indices[i] < nodes + face.Nodes.Count;
        if (!apart)
            return AssertionFailure() << "a face's ranges overlap another's, or it names another's nodes";
        triangles += face.Triangles.Count;
        nodes += face.Nodes.Count;
    }
    for (const KorrCore::KMeshRange& edge : part.Edges) // a gap or an overlap makes the count fail below
        points = edge.First == points ? points + edge.Count : part.EdgePoints.size() + 1;
    if (triangles != part.TriangleCount() || nodes != part.NodeCount() || part.TexCoords.size() != 2 * nodes ||
        3 * points != part.EdgePoints.size())
        return AssertionFailure() << "the ranges do not cover the buffers";
    return WellFormed(part.Positions, part.Normals, part.Indices);
}

} // namespace

AssertionResult WellFormed(const KorrCore::KShapeMesh& mesh)
{
    for (std::size_t p = 0; p < mesh.Parts.size(); ++p)
        if (AssertionResult formed = PartWellFormed(mesh.Parts[p]); !formed)
            return AssertionFailure() << "part " << p << ": " << formed.message();
    std::size_t faces = 0, edges = 0;
    for (std::size_t i = 0; i < mesh.Instances.size(); ++i) {
        const KorrCore::KMeshInstance& instance = mesh.Instances[i];
        if (instance.Part >= mesh.Parts.size())
            return AssertionFailure() << "instance " << i << " places part " << instance.Part;
        const KorrCore::KMeshPart& part = mesh.Parts[instance.Part];
        if (instance.Faces.First != faces || instance.Faces.Count != part.Faces.size() ||
            instance.Edges.First != edges || instance.Edges.Count != part.Edges.size())
            return AssertionFailure() << "instance " << i << " does not follow the one before or its part";
        faces += instance.Faces.Count;
        edges += instance.Edges.Count;
    }
    return ::testing::AssertionSuccess();
}

PlacedTriangles Placed(const KorrCore::KShapeMesh& mesh)
{
    PlacedTriangles placed;
    for (const KorrCore::KMeshInstance& instance : mesh.Instances) {
        const KorrCore::KMeshPart& part = mesh.Parts.at(instance.Part);
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
            for (const std::size_t corner : {std::size_t(0), std::size_t(mirrors ? 2 : 1), std::size_t(mirrors ? 1 : 2)})
                placed.indices.push_back(first + part.Indices[3 * t + corner]);
    }
    return placed;
}

double EnclosedVolume(const std::vector<float>& positions, const std::vector<unsigned int>& indices)
{
    double volume = 0;
    for (std::size_t t = 0; t + 2 < indices.size(); t += 3)
        volume +=
            Triple(positions, indices[t]).Dot(Triple(positions, indices[t + 1]) ^ Triple(positions, indices[t + 2]));
    return volume / 6;
}

} // namespace KorrTest
