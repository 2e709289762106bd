// The whole display export of the holed plate, and of 50 translated copies of
// it: every face's triangles with normals and texture coordinates (normalised
// per face) with per-face ranges, and every edge's polyline. Measured through
// KShapeMesher (which holds the copies' part once and places it 50 times),
// through the per-face round trip of the face and edge explorers, and written
// straight against the kernel with the same settings into one merged mesh;
// and once more through KShapeMesher for 50 deep copies, which share no
// geometry and must each be meshed. Every
// iteration starts from shapes no earlier iteration has meshed. The mesher
// works on several threads, so the wall clock measures.

#include <benchmark/benchmark.h>

#include <BRepMesh_IncrementalMesh.hxx>
#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Poly_Connect.hxx>
#include <Poly_PolygonOnTriangulation.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>

#include <array>
#include <utility>
#include <vector>

#include "BenchmarkSolids.h"
#include "KernelDisplay.h"

namespace KorrBench {

namespace {

constexpr int kCopies = 50;

struct MergedMesh {
    std::vector<float> positions, normals, texCoords, edgePoints;
    std::vector<unsigned int> indices;
    // First triangle, triangle count, first node, node count.
    std::vector<std::array<std::size_t, 4>> faces;
    // First point, point count.
    std::vector<std::pair<std::size_t, std::size_t>> edges;
};

struct PolygonSource {
    const Poly_PolygonOnTriangulation* polygon = nullptr;
    std::size_t firstNode = 0;
};

void AppendFace(const TopoDS_Face& face, const Handle(Poly_Triangulation) & triangulation,
                const TopLoc_Location& location, MergedMesh& out, std::size_t& triangle, std::size_t& node)
{
    const gp_Trsf place = location.Transformation();
    const bool located = !location.IsIdentity();
    const bool reversed = face.Orientation() == TopAbs_REVERSED;
    const bool flip = reversed != (located && place.IsNegative());
    const Handle(Geom_Surface) surface = BRep_Tool::Surface(TopoDS::Face(face.Located(TopLoc_Location())));
    Poly_Connect adjacency;

    out.faces.push_back({triangle, static_cast<std::size_t>(triangulation->NbTriangles()), node,
                         static_cast<std::size_t>(triangulation->NbNodes())});
    for (Standard_Integer t = 1; t <= triangulation->NbTriangles(); ++t, ++triangle) {
        Standard_Integer a, b, c;
        triangulation->Triangle(t).Get(a, b, c);
        unsigned int* corner = &out.indices[3 * triangle];
        corner[0] = static_cast<unsigned int>(node + a - 1);
        corner[1] = static_cast<unsigned int>(node + (flip ? c : b) - 1);
        corner[2] = static_cast<unsigned int>(node + (flip ? b : c) - 1);
    }
    double uMin, uMax, vMin, vMax;
    BRepTools::UVBounds(face, uMin, uMax, vMin, vMax);
    for (Standard_Integer i = 1; i <= triangulation->NbNodes(); ++i, ++node) {
        StoreShadedNode(surface, triangulation, adjacency, i, reversed, location, &out.positions[3 * node],
                        &out.normals[3 * node]);
        const gp_Pnt2d uv = triangulation->UVNode(i);
        out.texCoords[2 * node] = static_cast<float>((uv.X() - uMin) / (uMax - uMin));
        out.texCoords[2 * node + 1] = static_cast<float>((uv.Y() - vMin) / (vMax - vMin));
    }
}

std::size_t ExportWithKernel(const TopoDS_Shape& shape, MergedMesh& out)
{
    if (!BRepTools::Triangulation(shape, kDeflection)) {
        IMeshTools_Parameters parameters;
        parameters.Deflection = kDeflection;
        parameters.Angle = 0.5;
        parameters.InParallel = true;
        BRepMesh_IncrementalMesh mesher(shape, parameters);
    }
    TopTools_IndexedMapOfShape faces, edges;
    TopExp::MapShapes(shape, TopAbs_FACE, faces);
    TopExp::MapShapes(shape, TopAbs_EDGE, edges);

    std::size_t nodes = 0, triangles = 0;
    for (int f = 1; f <= faces.Extent(); ++f) {
        TopLoc_Location location;
        const Handle(Poly_Triangulation)& triangulation = BRep_Tool::Triangulation(TopoDS::Face(faces(f)), location);
        if (!triangulation.IsNull()) {
            nodes += static_cast<std::size_t>(triangulation->NbNodes());
            triangles += static_cast<std::size_t>(triangulation->NbTriangles());
        }
    }
    out.positions.resize(3 * nodes);
    out.normals.resize(3 * nodes);
    out.texCoords.resize(2 * nodes);
    out.indices.resize(3 * triangles);
    out.faces.clear();

    std::vector<PolygonSource> polygons(static_cast<std::size_t>(edges.Extent()));
    std::size_t triangle = 0, node = 0;
    for (int f = 1; f <= faces.Extent(); ++f) {
        const TopoDS_Face& face = TopoDS::Face(faces(f));
        TopLoc_Location location;
        const Handle(Poly_Triangulation)& triangulation = BRep_Tool::Triangulation(face, location);
        if (triangulation.IsNull()) {
            out.faces.push_back({triangle, 0, node, 0});
            continue;
        }
        const std::size_t firstNode = node;
        AppendFace(face, triangulation, location, out, triangle, node);
        for (TopExp_Explorer faceEdges(face, TopAbs_EDGE); faceEdges.More(); faceEdges.Next()) {
            PolygonSource& source = polygons[static_cast<std::size_t>(edges.FindIndex(faceEdges.Current()) - 1)];
            if (!source.polygon)
                source = {
                    BRep_Tool::PolygonOnTriangulation(TopoDS::Edge(faceEdges.Current()), triangulation, location).get(),
                    firstNode};
        }
    }

    out.edgePoints.clear();
    out.edges.clear();
    std::vector<float> sampled;
    for (int e = 1; e <= edges.Extent(); ++e) {
        const TopoDS_Edge& edge = TopoDS::Edge(edges(e));
        const PolygonSource& source = polygons[static_cast<std::size_t>(e - 1)];
        const std::size_t first = out.edgePoints.size() / 3;
        if (BRep_Tool::Degenerated(edge)) {
        } else if (source.polygon) {
            for (const Standard_Integer n : source.polygon->Nodes()) {
                const float* position = &out.positions[3 * (source.firstNode + static_cast<std::size_t>(n - 1))];
                out.edgePoints.insert(out.edgePoints.end(), position, position + 3);
            }
        } else if (SampleWithKernel(edge, kDeflection, sampled)) {
            out.edgePoints.insert(out.edgePoints.end(), sampled.begin(), sampled.end());
        }
        out.edges.emplace_back(first, out.edgePoints.size() / 3 - first);
    }
    return triangles;
}

// The triangles the instances place, as the other sides count them.
std::size_t ExportWithLibrary(const TopoDS_Shape& shape, KorrCore::KShapeMesh& mesh)
{
    KorrCore::KMeshOptions options;
    options.Deflection = kDeflection;
    options.NormalizeUV = true;
    KorrCore::KShapeMesher::Mesh(HostHandle(shape), options, mesh);
    std::size_t triangles = 0;
    for (const KorrCore::KMeshInstance& instance : mesh.Instances)
        triangles += mesh.Parts[instance.Part].TriangleCount();
    return triangles;
}

// Each face tessellated and each edge sampled by its own explorer call, and
// joined by the host: the face's indices moved past the nodes already held.
std::size_t ExportFaceByFace(const TopoDS_Shape& shape, MergedMesh& out)
{
    out = MergedMesh();
    const KorrCore::ShapePtr handle = HostHandle(shape);
    KorrCore::ShapeList faces, edges;
    KorrCore::KTopoFaceExplor::Explor(handle, faces);
    KorrCore::KTopoEdgeExplor::Explor(handle, edges);
    KorrCore::ExplorFaceOptions options;
    options.Deflection = kDeflection;
    options.NormalizeUV = true;
    std::vector<float> positions, normals, texCoords, points;
    std::vector<unsigned int> indices;
    for (const KorrCore::ShapePtr& face : faces) {
        const std::size_t node = out.positions.size() / 3;
        out.faces.push_back({out.indices.size() / 3, 0, node, 0});
        if (!KorrCore::KTopoFaceExplor::Explor(face, positions, indices, normals, texCoords, options))
            continue;
        for (const unsigned int index : indices)
            out.indices.push_back(static_cast<unsigned int>(node) + index);
        out.positions.insert(out.positions.end(), positions.begin(), positions.end());
        out.normals.insert(out.normals.end(), normals.begin(), normals.end());
        out.texCoords.insert(out.texCoords.end(), texCoords.begin(), texCoords.end());
        out.faces.back()[1] = indices.size() / 3;
        out.faces.back()[3] = positions.size() / 3;
    }
    for (const KorrCore::ShapePtr& edge : edges) {
        const std::size_t first = out.edgePoints.size() / 3;
        if (KorrCore::KTopoEdgeExplor::Explor(edge, &points, kDeflection))
            out.edgePoints.insert(out.edgePoints.end(), points.begin(), points.end());
        out.edges.emplace_back(first, out.edgePoints.size() / 3 - first);
    }
    return out.indices.size() / 3;
}

TopoDS_Shape FreshPlate()
{
    return Unmeshed(HoledPlate());
}

// The copies side by side along X, from one copy of the plate or from one
// copy each.
TopoDS_Shape Row(bool deep)
{
    const TopoDS_Shape plate = FreshPlate();
    BRep_Builder builder;
    TopoDS_Compound row;
    builder.MakeCompound(row);
    for (int k = 0; k < kCopies; ++k) {
        gp_Trsf shift;
        shift.SetTranslation(gp_Vec(250.0 * k, 0, 0));
        builder.Add(row, (deep ? Unmeshed(plate) : plate).Moved(TopLoc_Location(shift)));
    }
    return row;
}

TopoDS_Shape LocatedCopies()
{
    return Row(false);
}
TopoDS_Shape DeepCopies()
{
    return Row(true);
}

// Times the export of a fresh shape per iteration; making the shape and
// dropping the previous one stay outside the timed region.
template <class Buffers, class Export> void Measure(benchmark::State& state, TopoDS_Shape (*make)(), Export exportShape)
{
    Buffers buffers;
    TopoDS_Shape shape;
    std::size_t triangles = 0;
    for (auto _ : state) {
        state.PauseTiming();
        shape = make();
        state.ResumeTiming();
        triangles = exportShape(shape, buffers);
    }
    state.counters["triangles"] = static_cast<double>(triangles);
}

template <TopoDS_Shape (*Make)()> void Library(benchmark::State& state)
{
    Measure<KorrCore::KShapeMesh>(state, Make, ExportWithLibrary);
}

template <TopoDS_Shape (*Make)()> void Kernel(benchmark::State& state)
{
    Measure<MergedMesh>(state, Make, ExportWithKernel);
}

template <TopoDS_Shape (*Make)()> void PerFace(benchmark::State& state)
{
    Measure<MergedMesh>(state, Make, ExportFaceByFace);
}

} // namespace

BENCHMARK(Library<FreshPlate>)->Name("ShapeMesh/Library")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Kernel<FreshPlate>)->Name("ShapeMesh/Kernel")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PerFace<FreshPlate>)->Name("ShapeMesh/PerFace")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Library<LocatedCopies>)->Name("LocatedCopies/Library")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Kernel<LocatedCopies>)->Name("LocatedCopies/Kernel")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PerFace<LocatedCopies>)->Name("LocatedCopies/PerFace")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Library<DeepCopies>)->Name("DeepCopies/Library")->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace KorrBench
