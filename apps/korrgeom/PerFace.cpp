#include "PerFace.h"

#include <TopTools_MapOfShape.hxx>

#include <vector>

namespace korrgeom {

using namespace KorrCore;

namespace {

void AddFaces(const ShapePtr& shape, double deflection, KMeshPart& part)
{
    ShapeList faces;
    KTopoFaceExplor::Explor(shape, faces);
    ExplorFaceOptions options;
    options.Deflection = deflection;
    options.NormalizeUV = true;
    // One set of buffers for every face: each call replaces them.
    std::vector<float> positions, normals, texCoords;
    std::vector<unsigned int> indices;
    // The explorer lists a face once per use: twice when two solids of a
    // compound solid share it. It is drawn once, as the mesher draws it.
    TopTools_MapOfShape listed;
    for (const ShapePtr& face : faces) {
        if (!listed.Add(KTopoShapeImpl::GetShape(face.get())))
            continue;
        KMeshFace& entry = part.Faces.emplace_back();
        entry.Triangles.First = part.TriangleCount();
        entry.Nodes.First = part.NodeCount();
        if (!KTopoFaceExplor::Explor(face, positions, indices, normals, texCoords, options))
            continue;
        // The face's indices count from its own first node.
        const auto offset = static_cast<unsigned int>(part.NodeCount());
        for (unsigned int index : indices)
            part.Indices.push_back(offset + index);
        part.Positions.insert(part.Positions.end(), positions.begin(), positions.end());
        part.Normals.insert(part.Normals.end(), normals.begin(), normals.end());
        // A face meshed without surface parameters still gets a pair per node.
        texCoords.resize(2 * (positions.size() / 3), 0.0f);
        part.TexCoords.insert(part.TexCoords.end(), texCoords.begin(), texCoords.end());
        entry.Triangles.Count = indices.size() / 3;
        entry.Nodes.Count = positions.size() / 3;
    }
}

void AddEdges(const ShapePtr& shape, double deflection, KMeshPart& part)
{
    ShapeList edges;
    KTopoEdgeExplor::Explor(shape, edges);
    std::vector<float> points;
    for (const ShapePtr& edge : edges) {
        KMeshRange& range = part.Edges.emplace_back();
        range.First = part.EdgePoints.size() / 3;
        // Edges without a curve (a sphere's poles) give nothing to draw.
        if (!KTopoEdgeExplor::Explor(edge, &points, deflection))
            continue;
        part.EdgePoints.insert(part.EdgePoints.end(), points.begin(), points.end());
        range.Count = points.size() / 3;
    }
}

} // namespace

KShapeMesh MeshFaceByFace(const ShapePtr& shape, double deflection)
{
    KShapeMesh mesh;
    mesh.Deflection = deflection;
    KMeshPart& part = mesh.Parts.emplace_back();
    part.Kind = shape->GetShapeType();
    AddFaces(shape, deflection, part);
    AddEdges(shape, deflection, part);
    KMeshInstance& instance = mesh.Instances.emplace_back();
    instance.Placement = KMath::Matrix4::IDENTITY;
    instance.Faces.Count = part.Faces.size();
    instance.Edges.Count = part.Edges.size();
    return mesh;
}

} // namespace korrgeom
