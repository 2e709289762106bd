#include "Library/TopoExplor/MeshAssembly.h"

#include <algorithm>
#include <limits>

#include "Internal/Core/MatrixTransform.h"
#include "Library/TopoExplor/Contributions.h"
#include "Library/TopoExplor/DisplayBuffers.h"
#include "Library/TopoExplor/UseAttributes.h"

namespace KorrCore {

namespace {

// The chosen faces and edges of a part's mesh as a mesh part, in the part's
// own frame; false when its nodes cannot be indexed.
bool MakePart(const TopoDS_Shape& shape, const PartMesh& source, const Contribution& contribution,
              const UseAttributes& use, KMeshPart& part)
{
    std::size_t nodes = 0, triangles = 0, points = 0;
    for (int face : contribution.faces) {
        nodes += source.faceMeshes[static_cast<std::size_t>(face - 1)].positions.size();
        triangles += source.faceMeshes[static_cast<std::size_t>(face - 1)].triangles.size() / 3;
    }
    for (int edge : contribution.edges)
        points += source.edgePolylines[static_cast<std::size_t>(edge - 1)].size();
    if (nodes > std::numeric_limits<unsigned int>::max())
        return false;

    part.Kind = static_cast<TopoShapeType>(shape.ShapeType());
    part.Product = use.product;
    part.Closed = source.closed;
    part.Positions.resize(3 * nodes);
    part.Normals.resize(3 * nodes);
    part.TexCoords.assign(2 * nodes, 0.0f);
    part.Indices.resize(3 * triangles);
    part.Faces.reserve(contribution.faces.size());
    std::size_t node = 0, triangle = 0;
    for (int f : contribution.faces) {
        const FaceMesh& face = source.faceMeshes[static_cast<std::size_t>(f - 1)];
        const std::size_t faceNodes = face.positions.size(), faceTriangles = face.triangles.size() / 3;
        part.Faces.push_back(
            {{triangle, faceTriangles}, {node, faceNodes}, use.faceColours[static_cast<std::size_t>(f - 1)]});
        std::transform(face.triangles.begin(), face.triangles.end(), part.Indices.begin() + 3 * triangle,
                       [first = static_cast<unsigned int>(node)](unsigned int index) { return first + index; });
        for (std::size_t n = 0; n < faceNodes; ++n) {
            StoreXYZ(&part.Positions[3 * (node + n)], face.positions[n]);
            StoreXYZ(&part.Normals[3 * (node + n)], face.normals[n]);
        }
        // A face meshed without parameters keeps (0, 0) per node.
        std::copy(face.texCoords.begin(), face.texCoords.end(), part.TexCoords.begin() + 2 * node);
        node += faceNodes;
        triangle += faceTriangles;
    }
    part.EdgePoints.resize(3 * points);
    part.Edges.reserve(contribution.edges.size());
    std::size_t point = 0;
    for (int e : contribution.edges) {
        const std::vector<gp_XYZ>& polyline = source.edgePolylines[static_cast<std::size_t>(e - 1)];
        part.Edges.push_back({point, polyline.size()});
        for (const gp_XYZ& xyz : polyline)
            StoreXYZ(&part.EdgePoints[3 * point++], xyz);
    }
    return true;
}

class Assembler {
public:
    Assembler(const ShapeInstances& instances, const std::vector<PartMesh>& parts, const TopoDS_Shape& root,
              const ShapeAttributes* attributes, KShapeMesh& mesh)
        : instances(instances), parts(parts), root(root), attributes(attributes), mesh(mesh), shared(parts.size())
    {
    }

    bool Add(const Contribution& contribution)
    {
        const ShapeInstances::Occurrence& occurrence = *contribution.occurrence;
        UseAttributes use = FindUseAttributes(root, attributes, instances.parts[occurrence.part], occurrence.location,
                                              parts[occurrence.part].faces);
        KMeshInstance instance;
        instance.Placement = LocationMatrix(occurrence.location);
        instance.Name = use.name;
        instance.Occurrence = static_cast<std::size_t>(contribution.occurrence - instances.occurrences.data());
        instance.Faces = {faces, contribution.faces.size()};
        instance.Edges = {edges, contribution.edges.size()};
        if (!PartFor(contribution, std::move(use), instance.Part))
            return false;
        faces += instance.Faces.Count;
        edges += instance.Edges.Count;
        mesh.Instances.push_back(std::move(instance));
        return true;
    }

private:
    // Mesh parts made of a whole part, with what made them differ.
    struct SharedPart {
        std::size_t index;
        UseAttributes use;
    };

    bool PartFor(const Contribution& contribution, UseAttributes use, std::size_t& index)
    {
        const PartMesh& source = parts[contribution.occurrence->part];
        const bool whole = contribution.faces.size() == static_cast<std::size_t>(source.faces.Extent()) &&
                           contribution.edges.size() == static_cast<std::size_t>(source.edges.Extent());
        // Instance names never split a part.
        use.name.clear();
        std::vector<SharedPart>& candidates = shared[contribution.occurrence->part];
        const auto found = std::find_if(candidates.begin(), candidates.end(),
                                        [&use](const SharedPart& candidate) { return candidate.use == use; });
        if (whole && found != candidates.end()) {
            index = found->index;
            return true;
        }
        index = mesh.Parts.size();
        mesh.Parts.emplace_back();
        if (!MakePart(instances.parts[contribution.occurrence->part], source, contribution, use, mesh.Parts.back()))
            return false;
        if (whole)
            candidates.push_back({index, std::move(use)});
        return true;
    }

    const ShapeInstances& instances;
    const std::vector<PartMesh>& parts;
    const TopoDS_Shape& root;
    const ShapeAttributes* attributes;
    KShapeMesh& mesh;
    std::vector<std::vector<SharedPart>> shared;
    std::size_t faces = 0, edges = 0;
};

} // namespace

bool AssembleMesh(const ShapeInstances& instances, const std::vector<PartMesh>& parts, const TopoDS_Shape& root,
                  const ShapeAttributes* attributes, KShapeMesh& mesh)
{
    mesh.Parts.clear();
    mesh.Instances.clear();
    const std::vector<Contribution> contributions = FindContributions(instances, parts);
    mesh.Instances.reserve(contributions.size());
    Assembler assembler(instances, parts, root, attributes, mesh);
    return std::all_of(contributions.begin(), contributions.end(),
                       [&assembler](const Contribution& contribution) { return assembler.Add(contribution); });
}

} // namespace KorrCore
