// Meshing and writing an assembly of 1,000 located copies of the filleted
// part (a 10 x 10 x 10 grid), against one copy, into a binary glTF file:
// through the library (KGltfFileService: the part meshed and held once, one
// glTF mesh and a node per copy) and through the kernel's own glTF writer
// (one mesher call, then RWGltf_CafWriter over an XCAF document that holds
// the copies as instances of one part, faces merged per part). Each iteration
// starts from a fresh copy of the part's geometry, made outside the timed
// region. Besides the time, each reports the peak growth of the resident
// memory during its first iteration (MB) and the file's size (kB).

#include <benchmark/benchmark.h>

#include <KorrGeomCore/Service/KGltfFileService.h>

#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Builder.hxx>
#include <Message_ProgressRange.hxx>
#include <RWGltf_CafWriter.hxx>
#include <TColStd_IndexedDataMapOfStringString.hxx>
#include <TDocStd_Document.hxx>
#include <TopoDS_Compound.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <string>

#include "BenchmarkSolids.h"

namespace KorrBench {

namespace {

constexpr double kSpacing = 50;

// The resident memory's peak since the last reset, over what was resident
// then (Linux: /proc/self/status, reset through /proc/self/clear_refs).
class PeakMemory {
public:
    // Hands freed memory back first, so that an earlier benchmark's heap does
    // not hide this one's growth.
    void Reset()
    {
        malloc_trim(0);
        std::ofstream("/proc/self/clear_refs") << "5";
        start = Kilobytes("VmRSS:");
    }
    double GrowthMB() const { return static_cast<double>(Kilobytes("VmHWM:") - start) / 1024.0; }

private:
    static long Kilobytes(const std::string& field)
    {
        std::ifstream status("/proc/self/status");
        for (std::string name; status >> name;) {
            long value = 0;
            if (name == field && status >> value)
                return value;
        }
        return 0;
    }

    long start = 0;
};

// Copies of a fresh copy of the part, placed in a grid; one copy alone is the
// part itself.
TopoDS_Shape Assembly(int copies)
{
    const TopoDS_Shape part = Unmeshed(FilletedPart());
    if (copies == 1)
        return part;
    TopoDS_Compound assembly;
    BRep_Builder builder;
    builder.MakeCompound(assembly);
    for (int k = 0; k < copies; ++k) {
        gp_Trsf shift;
        shift.SetTranslation(gp_Vec(kSpacing * (k % 10), kSpacing * (k / 10 % 10), kSpacing * (k / 100)));
        builder.Add(assembly, part.Moved(TopLoc_Location(shift)));
    }
    return assembly;
}

std::string OutputFile()
{
    return (std::filesystem::temp_directory_path() / "korrgeom-bench-assembly.glb").string();
}

void WriteWithLibrary(const TopoDS_Shape& shape, const std::string& path)
{
    KorrCore::KGltfFileService service;
    service.SetDeflection(kDeflection);
    service.SaveFile({HostHandle(shape)}, KorrCore::KStringUtil::a2w(path));
}

void WriteWithKernel(const TopoDS_Shape& shape, const std::string& path)
{
    IMeshTools_Parameters parameters;
    parameters.Deflection = kDeflection;
    parameters.Angle = 0.5;
    parameters.InParallel = true;
    BRepMesh_IncrementalMesh mesher(shape, parameters);

    Handle(TDocStd_Document) document;
    XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", document);
    XCAFDoc_DocumentTool::ShapeTool(document->Main())->AddShape(shape, Standard_True);
    RWGltf_CafWriter writer(path.c_str(), Standard_True);
    writer.ChangeCoordinateSystemConverter().SetInputLengthUnit(0.001);
    writer.ChangeCoordinateSystemConverter().SetInputCoordinateSystem(RWMesh_CoordinateSystem_Zup);
    writer.SetMergeFaces(true);
    writer.Perform(document, TColStd_IndexedDataMapOfStringString(), Message_ProgressRange());
    XCAFApp_Application::GetApplication()->Close(document);
}

// The peak is the first iteration's: later ones reuse memory the allocators
// kept, so compare peaks of benchmarks run each in a process of its own.
template <int Copies, void (*Write)(const TopoDS_Shape&, const std::string&)> void Export(benchmark::State& state)
{
    const std::string path = OutputFile();
    PeakMemory memory;
    double peak = -1;
    for (auto _ : state) {
        state.PauseTiming();
        TopoDS_Shape shape = Assembly(Copies);
        memory.Reset();
        state.ResumeTiming();
        Write(shape, path);
        state.PauseTiming();
        if (peak < 0)
            peak = memory.GrowthMB();
        shape.Nullify();
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peak;
    state.counters["file_kB"] = static_cast<double>(std::filesystem::file_size(path)) / 1024.0;
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(Export<1, WriteWithLibrary>)->Name("AssemblyOfOne/Library")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Export<1, WriteWithKernel>)->Name("AssemblyOfOne/Kernel")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Export<1000, WriteWithLibrary>)
    ->Name("AssemblyOfThousand/Library")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Export<1000, WriteWithKernel>)
    ->Name("AssemblyOfThousand/Kernel")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace KorrBench
