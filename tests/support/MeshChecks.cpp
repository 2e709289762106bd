#include "support/Checks.h"

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

AssertionResult WellFormed(const KorrCore::KShapeMesh& mesh)
{
    std::size_t triangles = 0, nodes = 0, points = 0;
    for (const KorrCore::KMeshFaceRange& face : mesh.Faces) {
        bool apart = face.Triangles.First == triangles && face.Nodes.First == nodes;
        for (std::size_t i = 3 * triangles; i < 3 * (triangles + face.Triangles.Count); ++i)
            apart = apart && mesh.Indices[i] >= nodes && mesh.Indices[i] < nodes + face.Nodes.Count;
        if (!apart)
            return AssertionFailure() << "a face's ranges overlap another's, or it names another's nodes";
        triangles += face.Triangles.Count;
        nodes += face.Nodes.Count;
    }
    for (const KorrCore::KMeshRange& edge : mesh.Edges) // a gap or an overlap makes the count fail below
        points = edge.First == points ? points + edge.Count : mesh.EdgePoints.size() + 1;
    if (triangles != mesh.TriangleCount() || nodes != mesh.NodeCount() || mesh.TexCoords.size() != 2 * nodes ||
        3 * points != mesh.EdgePoints.size())
        return AssertionFailure() << "the ranges do not cover the buffers";
    return WellFormed(mesh.Positions, mesh.Normals, mesh.Indices);
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
