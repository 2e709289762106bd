// Every edge of the holed plate sampled into a polyline buffer, once through
// the library and once written straight against the kernel with the same
// settings and the same output. Sampling leaves the shape as it is, so one
// shape serves every iteration.

#include <benchmark/benchmark.h>

#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>

#include <vector>

#include "BenchmarkSolids.h"
#include "KernelDisplay.h"

namespace KorrBench {

namespace {

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
            if (SampleWithKernel(TopoDS::Edge(edges.FindKey(i)), kDeflection, points))
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
