// Fillet, chamfer and the three booleans through the library, and the same
// kernel algorithm called directly on the same kernel shapes. The library's
// operands are the host's handles, held across iterations as a host holds
// its shapes. Each iteration makes a new result; the operands stay as they
// are.

#include <benchmark/benchmark.h>

#include <BRepAlgoAPI_Common.hxx>
#include <BRepAlgoAPI_Cut.hxx>
#include <BRepAlgoAPI_Fuse.hxx>
#include <BRepFilletAPI_MakeChamfer.hxx>
#include <BRepFilletAPI_MakeFillet.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedDataMapOfShapeListOfShape.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>

#include <stdexcept>

#include "ModellingInputs.h"

namespace KorrBench {

namespace {

using KorrCore::KFeatureTools;
using KorrCore::ShapePtr;

constexpr double kRadius = 2;
constexpr double kChamferDistances[2] = {2, 1};

const TopoDS_Shape& Kernel(const ShapePtr& handle)
{
    return KorrCore::KTopoShapeImpl::GetShape(handle.get());
}

void Expect(bool done, benchmark::State& state)
{
    if (!done)
        state.SkipWithError("the operation failed");
}

TopoDS_Shape KernelFillet(const TopoDS_Shape& shape)
{
    BRepFilletAPI_MakeFillet fillet(shape, ChFi3d_Rational);
    TopTools_IndexedMapOfShape edges;
    TopExp::MapShapes(shape, TopAbs_EDGE, edges);
    for (int i = 1; i <= edges.Extent(); ++i)
        fillet.Add(kRadius, TopoDS::Edge(edges(i)));
    fillet.Build();
    return fillet.IsDone() ? fillet.Shape() : TopoDS_Shape();
}

TopoDS_Shape KernelChamfer(const TopoDS_Shape& shape)
{
    BRepFilletAPI_MakeChamfer chamfer(shape);
    TopTools_IndexedDataMapOfShapeListOfShape facesOfEdge;
    TopExp::MapShapesAndAncestors(shape, TopAbs_EDGE, TopAbs_FACE, facesOfEdge);
    for (int i = 1; i <= facesOfEdge.Extent(); ++i)
        chamfer.Add(kChamferDistances[0], kChamferDistances[1], TopoDS::Edge(facesOfEdge.FindKey(i)),
                    TopoDS::Face(facesOfEdge.FindFromIndex(i).First()));
    chamfer.Build();
    return chamfer.IsDone() ? chamfer.Shape() : TopoDS_Shape();
}

TopoDS_Shape KernelBoolean(const TopoDS_Shape& first, const TopoDS_Shape& second, KorrCore::KBooleanOp operation)
{
    switch (operation) {
    case KorrCore::BooleanFuse:
        return BRepAlgoAPI_Fuse(first, second);
    case KorrCore::BooleanCommon:
        return BRepAlgoAPI_Common(first, second);
    case KorrCore::BooleanCut:
        return BRepAlgoAPI_Cut(first, second);
    }
    throw std::invalid_argument("no such boolean");
}

void FilletLibrary(benchmark::State& state)
{
    for (auto _ : state)
        Expect(KFeatureTools::Fillet(Inputs().box, kRadius) != nullptr, state);
}

void FilletKernel(benchmark::State& state)
{
    for (auto _ : state)
        Expect(!KernelFillet(Kernel(Inputs().box)).IsNull(), state);
}

void ChamferLibrary(benchmark::State& state)
{
    for (auto _ : state)
        Expect(KFeatureTools::Chamfer(Inputs().box, kChamferDistances[0], kChamferDistances[1]) != nullptr, state);
}

void ChamferKernel(benchmark::State& state)
{
    for (auto _ : state)
        Expect(!KernelChamfer(Kernel(Inputs().box)).IsNull(), state);
}

// The operands of each boolean: a cylinder cut from and intersected with the
// filleted box, two crossing cylinders fused.
std::pair<ShapePtr, ShapePtr> Operands(KorrCore::KBooleanOp operation)
{
    if (operation == KorrCore::BooleanFuse)
        return {Inputs().crossingCylinders[0], Inputs().crossingCylinders[1]};
    return {Inputs().filletedBox, Inputs().throughCylinder};
}

void BooleanLibrary(benchmark::State& state, KorrCore::KBooleanOp operation)
{
    const auto [first, second] = Operands(operation);
    for (auto _ : state)
        Expect(KFeatureTools::Boolean(first, second, operation) != nullptr, state);
}

void BooleanKernel(benchmark::State& state, KorrCore::KBooleanOp operation)
{
    const auto [first, second] = Operands(operation);
    for (auto _ : state)
        Expect(!KernelBoolean(Kernel(first), Kernel(second), operation).IsNull(), state);
}

} // namespace

BENCHMARK(FilletLibrary)->Name("Fillet/Library")->Unit(benchmark::kMillisecond);
BENCHMARK(FilletKernel)->Name("Fillet/Kernel")->Unit(benchmark::kMillisecond);
BENCHMARK(ChamferLibrary)->Name("Chamfer/Library")->Unit(benchmark::kMillisecond);
BENCHMARK(ChamferKernel)->Name("Chamfer/Kernel")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BooleanLibrary, cut, KorrCore::BooleanCut)->Name("Cut/Library")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BooleanKernel, cut, KorrCore::BooleanCut)->Name("Cut/Kernel")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BooleanLibrary, fuse, KorrCore::BooleanFuse)->Name("Fuse/Library")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BooleanKernel, fuse, KorrCore::BooleanFuse)->Name("Fuse/Kernel")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BooleanLibrary, common, KorrCore::BooleanCommon)
    ->Name("Common/Library")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BooleanKernel, common, KorrCore::BooleanCommon)->Name("Common/Kernel")->Unit(benchmark::kMillisecond);

} // namespace KorrBench
