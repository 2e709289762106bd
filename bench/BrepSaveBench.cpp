// Two shapes saved through the library (written beside the target, flushed to
// the disk, then renamed over it) and by the kernel's writer alone (written in
// place, not flushed): the filleted box with a hole cut through it (20 kB),
// whose file takes less time to write than the flushes and the rename take on
// a quiet disk, and the holed plate of the display benchmarks (280 kB). Each
// overwrites one file in a folder of its own; the wall clock measures, since
// a flush waits for the disk rather than for the processor.

#include <benchmark/benchmark.h>

#include <BRepTools.hxx>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchmarkSolids.h"
#include "ModellingInputs.h"

namespace KorrBench {

namespace {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with its
// content at the end of the benchmark.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "korrgeom-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        if (!path.empty())
            fs::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Empty when no folder could be made.
    fs::path path;
};

const KorrCore::ShapePtr& HoledBox()
{
    static const KorrCore::ShapePtr shape =
        KorrCore::KFeatureTools::Boolean(Inputs().filletedBox, Inputs().throughCylinder, KorrCore::BooleanCut);
    return shape;
}

const KorrCore::ShapePtr& Plate()
{
    static const KorrCore::ShapePtr shape = HostHandle(HoledPlate());
    return shape;
}

using Shape = const KorrCore::ShapePtr& (*)();

void SaveLibrary(benchmark::State& state, Shape shape)
{
    const ScratchFolder folder;
    const std::wstring file = KorrCore::KStringUtil::a2w((folder.path / "saved.brep").string());
    for (auto _ : state)
        if (folder.path.empty() || !KorrCore::KBrepTools::SaveBrepFile(shape(), file, nullptr))
            state.SkipWithError("the library could not save");
}

void SaveKernel(benchmark::State& state, Shape shape)
{
    const ScratchFolder folder;
    const std::string file = (folder.path / "saved.brep").string();
    const TopoDS_Shape& kernelShape = KorrCore::KTopoShapeImpl::GetShape(shape().get());
    for (auto _ : state)
        if (folder.path.empty() || !BRepTools::Write(kernelShape, file.c_str()))
            state.SkipWithError("the kernel could not save");
}

} // namespace

BENCHMARK_CAPTURE(SaveLibrary, box, HoledBox)
    ->Name("SaveBrep/HoledBox/Library")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(SaveKernel, box, HoledBox)
    ->Name("SaveBrep/HoledBox/Kernel")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(SaveLibrary, plate, Plate)
    ->Name("SaveBrep/HoledPlate/Library")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(SaveKernel, plate, Plate)
    ->Name("SaveBrep/HoledPlate/Kernel")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace KorrBench
