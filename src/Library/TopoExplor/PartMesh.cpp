#include "Library/TopoExplor/PartMesh.h"

#include <BRep_Tool.hxx>
#include <Poly_PolygonOnTriangulation.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_MapOfShape.hxx>
#include <TopoDS.hxx>

#include <algorithm>
#include <optional>

#include "Internal/Core/DisplayBounds.h"
#include "Internal/Core/MeshPreconditions.h"
#include "Library/TopoExplor/EdgeCurveSampler.h"

namespace KorrCore {

namespace {

FaceMesh ReadFace(const TopoDS_Face& face, const MeshSettings& settings, const UVSettings& uv)
{
    TopLoc_Location location;
    const Handle(Poly_Triangulation)& triangulation = BRep_Tool::Triangulation(face, location);
    FaceMesh mesh;
    if (triangulation.IsNull() ||
        !ReadShadedFace(face, triangulation, location, LinearDeflection(face, settings), uv, mesh))
        return {};
    return mesh;
}

// The polygon the mesher left for an edge on a face's triangulation, whose
// node numbers name that face's nodes.
struct PolygonSource {
    const Poly_PolygonOnTriangulation* polygon = nullptr;
    const FaceMesh* face = nullptr;
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
        const FaceMesh& mesh = part.faceMeshes[static_cast<std::size_t>(f - 1)];
        if (mesh.positions.empty())
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
            if (polygon.IsNull() || !NamesNodesOf(*polygon, mesh.positions.size()))
                continue;
            source.polygon = polygon.get();
            source.face = &mesh;
        }
    }
    return sources;
}

// The edge's curve sampled, or nothing when it cannot be shown: when it
// strays from its curves on faces or leaves the part's box.
std::vector<gp_XYZ> SampleEdge(const TopoDS_Edge& edge, const DisplayBounds& bounds, double deflection,
                               EdgeCurveSampler& sampler)
{
    if (!EdgeAgreesWithItsCurves(edge) || !sampler.Sample(edge, deflection))
        return {};
    std::vector<gp_XYZ> points;
    points.reserve(static_cast<std::size_t>(sampler.Count()));
    for (Standard_Integer i = 1; i <= sampler.Count(); ++i) {
        points.push_back(sampler.Point(i).XYZ());
        if (!bounds.Holds(points.back()))
            return {};
    }
    return points;
}

void ReadEdges(const TopoDS_Shape& shape, const MeshSettings& settings, PartMesh& part)
{
    const std::vector<PolygonSource> sources = FindEdgePolygons(part);
    part.edgePolylines.resize(sources.size());
    EdgeCurveSampler sampler;
    // Measured only when an edge has to be sampled.
    std::optional<DisplayBounds> bounds;
    for (std::size_t e = 0; e < sources.size(); ++e) {
        const TopoDS_Edge& edge = TopoDS::Edge(part.edges(static_cast<int>(e + 1)));
        std::vector<gp_XYZ>& polyline = part.edgePolylines[e];
        // A degenerated edge is a single point: nothing to draw.
        if (BRep_Tool::Degenerated(edge))
            continue;
        if (const Poly_PolygonOnTriangulation* polygon = sources[e].polygon) {
            const TColStd_Array1OfInteger& nodes = polygon->Nodes();
            for (Standard_Integer i = nodes.Lower(); i <= nodes.Upper(); ++i)
                polyline.push_back(sources[e].face->positions[static_cast<std::size_t>(nodes(i) - 1)]);
        } else {
            const double deflection = LinearDeflection(edge, settings);
            if (!bounds)
                bounds.emplace(shape, LinearDeflection(shape, settings));
            polyline = SampleEdge(edge, *bounds, deflection, sampler);
        }
    }
}

// A shell without free edges (each edge bounding two of its faces, or one
// face twice, as a seam does) holds its solid's inside from every side.
bool FacesBoundClosedSolids(const TopoDS_Shape& shape, const TopTools_IndexedMapOfShape& faces)
{
    TopTools_MapOfShape enclosing;
    for (TopExp_Explorer solids(shape, TopAbs_SOLID); solids.More(); solids.Next())
        for (TopExp_Explorer shells(solids.Current(), TopAbs_SHELL); shells.More(); shells.Next())
            if (BRep_Tool::IsClosed(shells.Current()))
                for (TopExp_Explorer face(shells.Current(), TopAbs_FACE); face.More(); face.Next())
                    enclosing.Add(face.Current());
    for (int f = 1; f <= faces.Extent(); ++f)
        if (!enclosing.Contains(faces(f)))
            return false;
    return faces.Extent() > 0;
}

} // namespace

PartMesh ReadPartMesh(const TopoDS_Shape& shape, const MeshSettings& settings, const UVSettings& uv)
{
    PartMesh part;
    TopExp::MapShapes(shape, TopAbs_FACE, part.faces);
    TopExp::MapShapes(shape, TopAbs_EDGE, part.edges);
    part.faceMeshes.reserve(static_cast<std::size_t>(part.faces.Extent()));
    for (int f = 1; f <= part.faces.Extent(); ++f)
        part.faceMeshes.push_back(ReadFace(TopoDS::Face(part.faces(f)), settings, uv));
    ReadEdges(shape, settings, part);
    // A face left unmeshed is a hole through which back faces show.
    part.closed = FacesBoundClosedSolids(shape, part.faces) &&
                  std::none_of(part.faceMeshes.begin(), part.faceMeshes.end(),
                               [](const FaceMesh& face) { return face.triangles.empty(); });
    return part;
}

} // namespace KorrCore
