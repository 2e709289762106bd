#include "TopoExplor/PartMesh.h"

#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <Poly_PolygonOnTriangulation.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>

#include <algorithm>

#include "TopoExplor/DisplayBuffers.h"
#include "TopoExplor/EdgeCurveSampler.h"
#include "TopoExplor/FaceTriangulation.h"
#include "TopoExplor/ShadingNormals.h"

namespace KorrCore {

namespace {

void AppendFace(const TopoDS_Face& face, const UVSettings& uv, PartMesh& part, KMeshFaceRange& range)
{
    TopLoc_Location location;
    const Handle(Poly_Triangulation)& triangulation = BRep_Tool::Triangulation(face, location);
    range.Nodes.First = part.positions.size();
    range.Triangles.First = part.triangles.size() / 3;
    if (triangulation.IsNull())
        return;
    const Placement place(location);
    const auto nodes = static_cast<std::size_t>(triangulation->NbNodes());
    const auto triangles = static_cast<std::size_t>(triangulation->NbTriangles());
    part.triangles.resize(part.triangles.size() + 3 * triangles);
    unsigned int* written = part.triangles.data() + 3 * range.Triangles.First;
    WriteTriangles(*triangulation, (face.Orientation() == TopAbs_REVERSED) != place.Mirrors(), written);
    // The mesher's triangles name existing nodes; a triangulation a host put
    // together by hand need not, and a renderer would read past its buffers.
    if (std::any_of(written, written + 3 * triangles, [nodes](unsigned int node) { return node >= nodes; })) {
        part.triangles.resize(3 * range.Triangles.First);
        return;
    }
    range.Nodes.Count = nodes;
    range.Triangles.Count = triangles;

    ShadingNormals shading(face, triangulation);
    part.positions.reserve(part.positions.size() + nodes);
    part.normals.reserve(part.normals.size() + nodes);
    for (Standard_Integer i = 1; i <= triangulation->NbNodes(); ++i) {
        part.positions.push_back(place(triangulation->Node(i)).XYZ());
        part.normals.push_back(place(shading.At(i)).XYZ());
    }

    part.texCoords.resize(part.texCoords.size() + 2 * nodes, 0.0f);
    if (!triangulation->HasUVNodes())
        return;
    double uMin, uMax, vMin, vMax;
    BRepTools::UVBounds(face, uMin, uMax, vMin, vMax);
    const TextureMapping mapping(uv, uMin, uMax, vMin, vMax);
    float* out = part.texCoords.data() + 2 * range.Nodes.First;
    for (Standard_Integer i = 1; i <= triangulation->NbNodes(); ++i, out += 2)
        mapping.Store(out, triangulation->UVNode(i));
}

// Where an edge's polyline comes from: the polygon the mesher left on a face's
// triangulation, whose node numbers name that face's nodes.
struct PolygonSource {
    const Poly_PolygonOnTriangulation* polygon = nullptr;
    std::size_t firstNode = 0;
};

bool NamesNodesOf(const Poly_PolygonOnTriangulation& polygon, std::size_t nodeCount)
{
    const TColStd_Array1OfInteger& nodes = polygon.Nodes();
    return std::all_of(nodes.begin(), nodes.end(), [nodeCount](Standard_Integer node) {
        return node >= 1 && static_cast<std::size_t>(node) <= nodeCount;
    });
}

std::vector<PolygonSource> FindEdgePolygons(const PartMesh& part)
{
    std::vector<PolygonSource> sources(static_cast<std::size_t>(part.edges.Extent()));
    for (int f = 1; f <= part.faces.Extent(); ++f) {
        const KMeshFaceRange& range = part.faceRanges[static_cast<std::size_t>(f - 1)];
        if (range.Nodes.Count == 0)
            continue;
        const TopoDS_Face& face = TopoDS::Face(part.faces(f));
        TopLoc_Location location;
        const Handle(Poly_Triangulation)& triangulation = BRep_Tool::Triangulation(face, location);
        for (TopExp_Explorer edges(face, TopAbs_EDGE); edges.More(); edges.Next()) {
            PolygonSource& source = sources[static_cast<std::size_t>(part.edges.FindIndex(edges.Current()) - 1)];
            if (source.polygon)
                continue;
            const Handle(Poly_PolygonOnTriangulation)& polygon =
                BRep_Tool::PolygonOnTriangulation(TopoDS::Edge(edges.Current()), triangulation, location);
            if (polygon.IsNull() || !NamesNodesOf(*polygon, range.Nodes.Count))
                continue;
            source.polygon = polygon.get();
            source.firstNode = range.Nodes.First;
        }
    }
    return sources;
}

void AppendEdges(const MeshSettings& settings, PartMesh& part)
{
    const std::vector<PolygonSource> sources = FindEdgePolygons(part);
    part.edgeRanges.resize(sources.size());
    EdgeCurveSampler sampler;
    for (std::size_t e = 0; e < sources.size(); ++e) {
        const TopoDS_Edge& edge = TopoDS::Edge(part.edges(static_cast<int>(e + 1)));
        KMeshRange& range = part.edgeRanges[e];
        range.First = part.edgePoints.size();
        // A degenerated edge is a single point: nothing to draw.
        if (BRep_Tool::Degenerated(edge))
            continue;
        if (const Poly_PolygonOnTriangulation* polygon = sources[e].polygon) {
            const TColStd_Array1OfInteger& nodes = polygon->Nodes();
            for (Standard_Integer i = nodes.Lower(); i <= nodes.Upper(); ++i)
                part.edgePoints.push_back(
                    part.positions[sources[e].firstNode + static_cast<std::size_t>(nodes(i) - 1)]);
        } else if (sampler.Sample(edge, EdgeDeflection(edge, settings))) {
            for (Standard_Integer i = 1; i <= sampler.Count(); ++i)
                part.edgePoints.push_back(sampler.Point(i).XYZ());
        }
        range.Count = part.edgePoints.size() - range.First;
    }
}

} // namespace

PartMesh ReadPartMesh(const TopoDS_Shape& shape, const MeshSettings& settings, const UVSettings& uv)
{
    PartMesh part;
    TopExp::MapShapes(shape, TopAbs_FACE, part.faces);
    TopExp::MapShapes(shape, TopAbs_EDGE, part.edges);
    part.faceRanges.resize(static_cast<std::size_t>(part.faces.Extent()));
    for (int f = 1; f <= part.faces.Extent(); ++f)
        AppendFace(TopoDS::Face(part.faces(f)), uv, part, part.faceRanges[static_cast<std::size_t>(f - 1)]);
    AppendEdges(settings, part);
    return part;
}

} // namespace KorrCore
