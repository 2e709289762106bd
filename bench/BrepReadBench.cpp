// Every shared BRep file read through the library (screened, then read by the
// kernel) and by the kernel's reader alone, both from the file on disk. The
// files come from other projects and stay in the shared data folder; without
// it the benchmark reports that it was skipped.

#include <benchmark/benchmark.h>

#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <TopoDS_Shape.hxx>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <KorrGeomCore/KorrGeomCore.h>

namespace KorrBench {

namespace {

namespace fs = std::filesystem;

const fs::path kBrepFolder = fs::path(KORRGEOM_SHARED_DATA_DIR) / "brep";

std::vector<fs::path> SharedBrepFiles()
{
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator entry(kBrepFolder, error), end; !error && entry != end; entry.increment(error))
        if (entry->path().extension() == ".brep")
            files.push_back(entry->path());
    std::sort(files.begin(), files.end());
    return files;
}

void ReadLibrary(benchmark::State& state, const fs::path& file)
{
    const std::wstring path = KorrCore::KStringUtil::a2w(file.string());
    for (auto _ : state)
        if (!KorrCore::KBrepTools::ReadBrepFile(path, nullptr))
            state.SkipWithError("the library refused the file");
}

void ReadKernel(benchmark::State& state, const fs::path& file)
{
    const std::string path = file.string();
    for (auto _ : state) {
        TopoDS_Shape shape;
        if (!BRepTools::Read(shape, path.c_str(), BRep_Builder()) || shape.IsNull())
            state.SkipWithError("the kernel could not read the file");
    }
}

void NoSharedFiles(benchmark::State& state)
{
    const std::string message = "skipped: no BRep files in " + kBrepFolder.string();
    state.SkipWithError(message.c_str());
    for (auto _ : state) {
    }
}

bool RegisterReads()
{
    const std::vector<fs::path> files = SharedBrepFiles();
    if (files.empty())
        benchmark::RegisterBenchmark("ReadBrep", NoSharedFiles);
    for (const fs::path& file : files) {
        const std::string work = "ReadBrep/" + file.stem().string();
        benchmark::RegisterBenchmark((work + "/Library").c_str(), ReadLibrary, file)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((work + "/Kernel").c_str(), ReadKernel, file)->Unit(benchmark::kMillisecond);
    }
    return true;
}

const bool registered = RegisterReads();

} // namespace

} // namespace KorrBench
