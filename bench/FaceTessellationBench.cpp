// Every face of a fresh holed plate tessellated into display buffers, once
// through the library and once written straight against the kernel with the
// same settings and the same output.

#include <benchmark/benchmark.h>

#include <BRepMesh_IncrementalMesh.hxx>
#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <Poly_Connect.hxx>
#include <Poly_Triangulation.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>

#include <vector>

#include "BenchmarkSolids.h"
#include "KernelDisplay.h"

namespace KorrBench {

namespace {

struct FaceBuffers {
    std::vector<float> positions, normals, texCoords;
    std::vector<unsigned int> indices;
};

bool TessellateWithKernel(const TopoDS_Face& face, FaceBuffers& out)
{
    const BRepMesh_IncrementalMesh mesher(face, kDeflection, Standard_False, 0.5);
    TopLoc_Location location;
    const Handle(Poly_Triangulation)& triangulation = BRep_Tool::Triangulation(face, location);
    if (triangulation.IsNull())
        return false;
    const bool reversed = face.Orientation() == TopAbs_REVERSED;
    const Handle(Geom_Surface) surface = BRep_Tool::Surface(TopoDS::Face(face.Located(TopLoc_Location())));
    Poly_Connect adjacency;

    const Standard_Integer triangles = triangulation->NbTriangles();
    out.indices.resize(3 * static_cast<std::size_t>(triangles));
    for (Standard_Integer t = 1; t <= triangles; ++t) {
        Standard_Integer a, b, c;
        triangulation->Triangle(t).Get(a, b, c);
        unsigned int* corner = &out.indices[3 * static_cast<std::size_t>(t - 1)];
        corner[0] = static_cast<unsigned int>(a - 1);
        corner[1] = static_cast<unsigned int>((reversed ? c : b) - 1);
        corner[2] = static_cast<unsigned int>((reversed ? b : c) - 1);
    }

    const Standard_Integer nodes = triangulation->NbNodes();
    out.positions.resize(3 * static_cast<std::size_t>(nodes));
    out.normals.resize(3 * static_cast<std::size_t>(nodes));
    for (Standard_Integer i = 1; i <= nodes; ++i)
        StoreShadedNode(surface, triangulation, adjacency, i, reversed, location,
                        &out.positions[3 * static_cast<std::size_t>(i - 1)],
                        &out.normals[3 * static_cast<std::size_t>(i - 1)]);

    double uMin, uMax, vMin, vMax;
    BRepTools::UVBounds(face, uMin, uMax, vMin, vMax);
    benchmark::DoNotOptimize(uMin + uMax + vMin + vMax);
    out.texCoords.resize(2 * static_cast<std::size_t>(nodes));
    for (Standard_Integer i = 1; i <= nodes; ++i) {
        const gp_Pnt2d uv = triangulation->UVNode(i);
        out.texCoords[2 * static_cast<std::size_t>(i - 1)] = static_cast<float>(uv.X());
        out.texCoords[2 * static_cast<std::size_t>(i - 1) + 1] = static_cast<float>(uv.Y());
    }
    return true;
}

void FaceTessellationLibrary(benchmark::State& state)
{
    FaceBuffers buffers;
    KorrCore::ExplorFaceOptions options;
    options.Deflection = kDeflection;
    std::size_t triangles = 0, faceCount = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const KorrCore::ShapePtr plate = HostHandle(Unmeshed(HoledPlate()));
        state.ResumeTiming();
        KorrCore::ShapeList faces;
        KorrCore::KTopoFaceExplor::Explor(plate, faces);
        triangles = 0;
        faceCount = faces.size();
        for (const KorrCore::ShapePtr& face : faces) {
            if (KorrCore::KTopoFaceExplor::Explor(face, buffers.positions, buffers.indices, buffers.normals,
                                                  buffers.texCoords, options))
                triangles += buffers.indices.size() / 3;
        }
        benchmark::DoNotOptimize(buffers.positions.data());
    }
    state.counters["faces"] = static_cast<double>(faceCount);
    state.counters["triangles"] = static_cast<double>(triangles);
}

void FaceTessellationKernel(benchmark::State& state)
{
    FaceBuffers buffers;
    std::size_t triangles = 0, faceCount = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const TopoDS_Shape plate = Unmeshed(HoledPlate());
        state.ResumeTiming();
        triangles = 0;
        faceCount = 0;
        for (TopExp_Explorer faces(plate, TopAbs_FACE); faces.More(); faces.Next(), ++faceCount) {
            if (TessellateWithKernel(TopoDS::Face(faces.Current()), buffers))
                triangles += buffers.indices.size() / 3;
        }
        benchmark::DoNotOptimize(buffers.positions.data());
    }
    state.counters["faces"] = static_cast<double>(faceCount);
    state.counters["triangles"] = static_cast<double>(triangles);
}

} // namespace

BENCHMARK(FaceTessellationLibrary)->Name("FaceTessellation/Library")->Unit(benchmark::kMillisecond);
BENCHMARK(FaceTessellationKernel)->Name("FaceTessellation/Kernel")->Unit(benchmark::kMillisecond);

} // namespace KorrBench
