#include "TopoExplor/MeshAssembly.h"

#include <TopTools_MapOfShape.hxx>

#include <algorithm>
#include <limits>
#include <map>

#include "TopoExplor/DisplayBuffers.h"
#include "TopoExplor/Placement.h"

namespace KorrCore {

namespace {

// What one occurrence brings into the mesh: the part's faces and edges (1 ...
// extent) that no earlier occurrence brought.
struct Contribution {
    const ShapeInstances::Occurrence* occurrence;
    std::vector<int> faces;
    std::vector<int> edges;
};

std::vector<int> NewShapes(const TopTools_IndexedMapOfShape& shapes, const TopLoc_Location& location,
                           TopTools_MapOfShape& seen)
{
    std::vector<int> added;
    added.reserve(static_cast<std::size_t>(shapes.Extent()));
    // Locations that mirror are not the kernel's default, but they are legal.
    for (int i = 1; i <= shapes.Extent(); ++i)
        if (seen.Add(shapes(i).Moved(location, Standard_False)))
            added.push_back(i);
    return added;
}

std::vector<Contribution> Contributions(const ShapeInstances& instances, const std::vector<PartMesh>& parts)
{
    std::vector<Contribution> contributions;
    TopTools_MapOfShape seenFaces, seenEdges;
    for (const ShapeInstances::Occurrence& occurrence : instances.occurrences) {
        const PartMesh& part = parts[occurrence.part];
        Contribution contribution{&occurrence, NewShapes(part.faces, occurrence.location, seenFaces),
                                  NewShapes(part.edges, occurrence.location, seenEdges)};
        if (!contribution.faces.empty() || !contribution.edges.empty())
            contributions.push_back(std::move(contribution));
    }
    return contributions;
}

KMath::Matrix4 Matrix(const TopLoc_Location& location)
{
    const gp_Trsf transform = location.Transformation();
    KMath::Matrix4 matrix;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            matrix.m[4 * row + column] = transform.Value(row + 1, column + 1);
    return matrix;
}

class Writer {
public:
    Writer(const std::vector<PartMesh>& parts, KShapeMesh& mesh) : parts(parts), mesh(mesh) {}

    void Write(const Contribution& contribution)
    {
        const PartMesh& part = parts[contribution.occurrence->part];
        const Placement place(contribution.occurrence->location);
        KMeshInstance instance;
        instance.Part = PartNumber(contribution, part);
        instance.Placement = Matrix(contribution.occurrence->location);
        instance.Faces = {mesh.Faces.size(), contribution.faces.size()};
        instance.Edges = {mesh.Edges.size(), contribution.edges.size()};
        for (int face : contribution.faces)
            WriteFace(part.faceMeshes[static_cast<std::size_t>(face - 1)], place);
        for (int edge : contribution.edges)
            WriteEdge(part.edgePolylines[static_cast<std::size_t>(edge - 1)], place);
        mesh.Instances.push_back(instance);
    }

private:
    // Occurrences that bring their whole part share its mesh; one that brings
    // only some of it has a mesh of its own.
    std::size_t PartNumber(const Contribution& contribution, const PartMesh& part)
    {
        const bool whole = contribution.faces.size() == static_cast<std::size_t>(part.faces.Extent()) &&
                           contribution.edges.size() == static_cast<std::size_t>(part.edges.Extent());
        const std::size_t key = whole ? contribution.occurrence->part : parts.size() + mesh.Instances.size();
        return partNumbers.try_emplace(key, partNumbers.size()).first->second;
    }

    void WriteFace(const FaceMesh& source, const Placement& place)
    {
        const std::size_t nodeCount = source.positions.size();
        const std::size_t triangleCount = source.triangles.size() / 3;
        mesh.Faces.push_back({{triangles, triangleCount}, {nodes, nodeCount}});
        const bool flip = place.Mirrors();
        const unsigned int* from = source.triangles.data();
        unsigned int* to = mesh.Indices.data() + 3 * triangles;
        const auto first = static_cast<unsigned int>(nodes);
        for (std::size_t t = 0; t < triangleCount; ++t, from += 3, to += 3) {
            to[0] = first + from[0];
            to[1] = first + from[flip ? 2 : 1];
            to[2] = first + from[flip ? 1 : 2];
        }
        for (std::size_t n = 0; n < nodeCount; ++n) {
            StoreXYZ(&mesh.Positions[3 * (nodes + n)], place.Point(source.positions[n]));
            StoreXYZ(&mesh.Normals[3 * (nodes + n)], place.Direction(source.normals[n]));
        }
        // A face meshed without parameters keeps (0, 0) per node.
        std::copy(source.texCoords.begin(), source.texCoords.end(), mesh.TexCoords.begin() + 2 * nodes);
        triangles += triangleCount;
        nodes += nodeCount;
    }

    void WriteEdge(const std::vector<gp_XYZ>& polyline, const Placement& place)
    {
        mesh.Edges.push_back({points, polyline.size()});
        for (std::size_t p = 0; p < polyline.size(); ++p)
            StoreXYZ(&mesh.EdgePoints[3 * (points + p)], place.Point(polyline[p]));
        points += polyline.size();
    }

    const std::vector<PartMesh>& parts;
    KShapeMesh& mesh;
    std::size_t nodes = 0, triangles = 0, points = 0;
    std::map<std::size_t, std::size_t> partNumbers;
};

} // namespace

bool AssembleMesh(const ShapeInstances& instances, const std::vector<PartMesh>& parts, KShapeMesh& mesh)
{
    const std::vector<Contribution> contributions = Contributions(instances, parts);
    std::size_t nodes = 0, triangles = 0, points = 0, faces = 0, edges = 0;
    for (const Contribution& contribution : contributions) {
        const PartMesh& part = parts[contribution.occurrence->part];
        for (int face : contribution.faces) {
            nodes += part.faceMeshes[static_cast<std::size_t>(face - 1)].positions.size();
            triangles += part.faceMeshes[static_cast<std::size_t>(face - 1)].triangles.size() / 3;
        }
        for (int edge : contribution.edges)
            points += part.edgePolylines[static_cast<std::size_t>(edge - 1)].size();
        faces += contribution.faces.size();
        edges += contribution.edges.size();
    }
    if (nodes > std::numeric_limits<unsigned int>::max())
        return false;

    mesh.Positions.resize(3 * nodes);
    mesh.Normals.resize(3 * nodes);
    mesh.TexCoords.assign(2 * nodes, 0.0f);
    mesh.Indices.resize(3 * triangles);
    mesh.EdgePoints.resize(3 * points);
    mesh.Faces.clear();
    mesh.Faces.reserve(faces);
    mesh.Edges.clear();
    mesh.Edges.reserve(edges);
    mesh.Instances.clear();
    mesh.Instances.reserve(contributions.size());
    Writer writer(parts, mesh);
    for (const Contribution& contribution : contributions)
        writer.Write(contribution);
    return true;
}

} // namespace KorrCore
