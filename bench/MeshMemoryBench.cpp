// Peak memory of meshing a model for display: KShapeMesher (the kernel's
// mesher and the library's display buffers) against the kernel's mesher
// alone, on a generated grid of 100,000 planar faces, the holed plate and
// every shared BRep file. Each measurement runs in a child process of its
// own, so that no allocator state carries over, and reports how far the
// child's resident set rose above what it held once the model was built:
// in all, and per face. Time is not what these measure.

#include <benchmark/benchmark.h>

#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <Bnd_Box.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS_Compound.hxx>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "BenchmarkSolids.h"
#include "ProcessMemory.h"

namespace KorrBench {

namespace {

namespace fs = std::filesystem;

using ModelMaker = std::function<TopoDS_Shape()>;

constexpr int kGridFaces = 100000;

// A compound of unit squares side by side.
TopoDS_Shape Grid()
{
    TopoDS_Compound grid;
    BRep_Builder().MakeCompound(grid);
    for (int i = 0; i < kGridFaces; ++i) {
        const double x = i % 400, y = i / 400;
        BRepBuilderAPI_MakePolygon square(gp_Pnt(x, y, 0), gp_Pnt(x + 1, y, 0), gp_Pnt(x + 1, y + 1, 0),
                                          gp_Pnt(x, y + 1, 0), Standard_True);
        BRep_Builder().Add(grid, BRepBuilderAPI_MakeFace(square.Wire(), Standard_True).Face());
    }
    return grid;
}

// As the library meshes by default: a deflection of 0.4 % of the longest side.
double ViewerDeflection(const TopoDS_Shape& shape)
{
    Bnd_Box box;
    BRepBndLib::Add(shape, box, Standard_False);
    double xMin, yMin, zMin, xMax, yMax, zMax;
    box.Get(xMin, yMin, zMin, xMax, yMax, zMax);
    return 0.004 * std::max({xMax - xMin, yMax - yMin, zMax - zMin});
}

void MeshWithLibrary(const TopoDS_Shape& shape, KorrCore::KShapeMesh& mesh)
{
    KorrCore::KMeshOptions options;
    options.Deflection = ViewerDeflection(shape);
    KorrCore::KShapeMesher::Mesh(HostHandle(shape), options, mesh);
}

void MeshWithKernel(const TopoDS_Shape& shape)
{
    IMeshTools_Parameters parameters;
    parameters.Deflection = ViewerDeflection(shape);
    parameters.Angle = 0.5;
    parameters.InParallel = true;
    BRepMesh_IncrementalMesh mesher(shape, parameters);
}

struct Rise {
    double bytes = 0;
    double faces = 0;
};

// The rise of the resident set's high-water mark while one side meshes the
// model, measured in a child; false when the child failed.
bool MeasureRise(const ModelMaker& make, bool library, Rise& rise)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return false;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const TopoDS_Shape model = make();
        TopTools_IndexedMapOfShape faces;
        TopExp::MapShapes(model, TopAbs_FACE, faces);
        ResetPeak();
        const double before = StatusBytes("VmRSS:");
        KorrCore::KShapeMesh mesh;
        if (library)
            MeshWithLibrary(model, mesh);
        else
            MeshWithKernel(model);
        const Rise measured{StatusBytes("VmHWM:") - before, static_cast<double>(faces.Extent())};
        const bool sent = ::write(channel[1], &measured, sizeof measured) == sizeof measured;
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    const bool read = child > 0 && ::read(channel[0], &rise, sizeof rise) == sizeof rise;
    ::close(channel[0]);
    int status = 0;
    return read && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void PeakMemory(benchmark::State& state, const ModelMaker& make, bool library)
{
    Rise rise;
    for (auto _ : state)
        if (!MeasureRise(make, library, rise))
            state.SkipWithError("the measuring child failed");
    state.counters["faces"] = rise.faces;
    state.counters["peak_MB"] = rise.bytes / 1e6;
    state.counters["kB_per_face"] = rise.faces > 0 ? rise.bytes / rise.faces / 1e3 : 0;
}

void Register(const std::string& work, const ModelMaker& make)
{
    for (const bool library : {true, false})
        benchmark::RegisterBenchmark(("MeshPeakMemory/" + work + (library ? "/Library" : "/Kernel")).c_str(),
                                     PeakMemory, make, library)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
}

bool RegisterPeaks()
{
    Register("Grid100k", Grid);
    Register("HoledPlate", [] { return Unmeshed(HoledPlate()); });
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator entry(fs::path(KORRGEOM_SHARED_DATA_DIR) / "brep", error), end; !error && entry != end;
         entry.increment(error))
        if (entry->path().extension() == ".brep")
            files.push_back(entry->path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files)
        Register(file.stem().string(), [path = file.string()] {
            TopoDS_Shape shape;
            BRepTools::Read(shape, path.c_str(), BRep_Builder());
            BRepTools::Clean(shape);
            return shape;
        });
    return true;
}

const bool registered = RegisterPeaks();

} // namespace

} // namespace KorrBench
