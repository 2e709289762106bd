// Every edge of the holed plate sampled into a polyline buffer, once through
// the library and once written straight against the kernel with the same
// settings and the same output. Sampling leaves the shape as it is, so one
// shape serves every iteration.

#include <benchmark/benchmark.h>

#include <BRepBuilderAPI_NurbsConvert.hxx>
#include <BRep_Tool.hxx>
#include <GCPnts_QuasiUniformDeflection.hxx>
#include <GeomAdaptor_Curve.hxx>
#include <Geom_TrimmedCurve.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>

#include <vector>

#include "BenchmarkSolids.h"

namespace KorrBench {

namespace {

bool SampleWithKernel(const TopoDS_Edge& edge, std::vector<float>& points)
{
    BRepBuilderAPI_NurbsConvert converter(edge, Standard_True);
    const TopoDS_Edge& converted = TopoDS::Edge(converter.Shape());
    TopLoc_Location location;
    Standard_Real first, last;
    const Handle(Geom_Curve) curve = BRep_Tool::Curve(converted, location, first, last);
    if (curve.IsNull())
        return false;
    const Handle(Geom_TrimmedCurve) trimmed = new Geom_TrimmedCurve(curve, first, last, Standard_True);
    const GeomAdaptor_Curve adaptor(trimmed, trimmed->FirstParameter(), trimmed->LastParameter());
    const GCPnts_QuasiUniformDeflection sampler(adaptor, kDeflection, GeomAbs_C1);
    if (!sampler.IsDone())
        return false;
    const bool located = !location.IsIdentity();
    const gp_Trsf place = location.Transformation();
    points.resize(3 * static_cast<std::size_t>(sampler.NbPoints()));
    for (Standard_Integer i = 1; i <= sampler.NbPoints(); ++i) {
        gp_Pnt point = curve->Value(sampler.Parameter(i));
        if (located)
            point.Transform(place);
        float* out = &points[3 * static_cast<std::size_t>(i - 1)];
        out[0] = static_cast<float>(point.X());
        out[1] = static_cast<float>(point.Y());
        out[2] = static_cast<float>(point.Z());
    }
    return true;
}

void EdgeSamplingLibrary(benchmark::State& state)
{
    const KorrCore::ShapePtr plate = HostHandle(HoledPlate());
    std::vector<float> points;
    std::size_t total = 0;
    for (auto _ : state) {
        KorrCore::ShapeList edges;
        KorrCore::KTopoEdgeExplor::Explor(plate, edges);
        total = 0;
        for (const KorrCore::ShapePtr& edge : edges) {
            if (KorrCore::KTopoEdgeExplor::Explor(edge, &points, kDeflection))
                total += points.size() / 3;
        }
        benchmark::DoNotOptimize(points.data());
    }
    state.counters["points"] = static_cast<double>(total);
}

void EdgeSamplingKernel(benchmark::State& state)
{
    const TopoDS_Shape& plate = HoledPlate();
    std::vector<float> points;
    std::size_t total = 0;
    for (auto _ : state) {
        TopTools_IndexedMapOfShape edges(1);
        TopExp::MapShapes(plate, TopAbs_EDGE, edges);
        total = 0;
        for (int i = 1; i <= edges.Extent(); ++i) {
            if (SampleWithKernel(TopoDS::Edge(edges.FindKey(i)), points))
                total += points.size() / 3;
        }
        benchmark::DoNotOptimize(points.data());
    }
    state.counters["points"] = static_cast<double>(total);
}

} // namespace

BENCHMARK(EdgeSamplingLibrary)->Name("EdgeSampling/Library")->Unit(benchmark::kMillisecond);
BENCHMARK(EdgeSamplingKernel)->Name("EdgeSampling/Kernel")->Unit(benchmark::kMillisecond);

} // namespace KorrBench
