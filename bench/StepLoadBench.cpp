// Loading STEP files through KStepFileService, whose translation runs in the
// worker process and comes back through the BRep screen with its names and
// colours, against the kernel's XCAF reader alone in this process with names
// and colours on. The difference is the price of keeping a crashing
// translator out of the host. Measured by the wall clock, as the worker's
// time is not this process's, with the memory a load takes: the rise of this
// process's peak resident size over what it held before, and the worker's
// peak; their sum bounds what a load needs. The resident worker is started
// before the timing, as a host that keeps a service has it started.
//
// The files: the as1 assembly (occt_trj6_as1-ug-214.stp from the shared
// data), and any files named in KORRGEOM_LARGE_STEP (separated by ':'), such
// as those korrgeom_make_large_step writes; each of those is loaded once per
// repetition.

#include <benchmark/benchmark.h>

#include <STEPCAFControl_Reader.hxx>
#include <TDocStd_Document.hxx>
#include <XCAFApp_Application.hxx>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include <KorrGeomCore/Service/KStepFileService.h>

#include "ProcessMemory.h"

namespace KorrBench {

namespace {

const std::string kAssembly = KORRGEOM_SHARED_DATA_DIR "/step/occt_trj6_as1-ug-214.stp";

bool Present(benchmark::State& state, const std::string& path)
{
    if (std::filesystem::exists(path))
        return true;
    state.SkipWithError(("no file " + path).c_str());
    return false;
}

void Peaks(benchmark::State& state, double host, double worker)
{
    state.counters["host_MB"] = host / 1e6;
    state.counters["worker_MB"] = worker / 1e6;
    state.counters["peak_MB"] = (host + worker) / 1e6;
}

void Library(benchmark::State& state, const std::string& file)
{
    if (!Present(state, file))
        return;
    const std::wstring path = std::filesystem::path(file).wstring();
    double host = 0;
    ChildrenPeak worker;
    // A host keeps a service, and with it the resident worker, which has
    // its translators loaded by the time of the timed loads.
    KorrCore::KStepFileService kept;
    kept.SetTimeLimit(std::chrono::hours(1));
    kept.LoadFile(path);
    for (auto _ : state) {
        ResetPeak();
        const double before = StatusBytes("VmRSS:");
        // A new service each time: a service keeps what it loaded. The time
        // limit is lifted for files of hundreds of megabytes on a busy
        // machine; the memory limit is the default.
        KorrCore::KStepFileService service;
        service.SetTimeLimit(std::chrono::hours(1));
        if (!service.LoadFile(path))
            state.SkipWithError(("the service did not load " + file + ": " + KorrCore::KLastOutcome().Message).c_str());
        host = std::max(host, StatusBytes("VmHWM:") - before);
    }
    Peaks(state, host, worker.Bytes());
}

void Kernel(benchmark::State& state, const std::string& file)
{
    if (!Present(state, file))
        return;
    const Handle(XCAFApp_Application) application = XCAFApp_Application::GetApplication();
    double host = 0;
    for (auto _ : state) {
        ResetPeak();
        const double before = StatusBytes("VmRSS:");
        Handle(TDocStd_Document) document;
        application->NewDocument("MDTV-XCAF", document);
        STEPCAFControl_Reader reader;
        reader.SetNameMode(true);
        reader.SetColorMode(true);
        if (reader.ReadFile(file.c_str()) != IFSelect_RetDone || !reader.Transfer(document))
            state.SkipWithError(("the kernel did not read " + file).c_str());
        application->Close(document);
        host = std::max(host, StatusBytes("VmHWM:") - before);
    }
    Peaks(state, host, 0);
}

bool RegisterLargeFiles()
{
    const char* files = std::getenv("KORRGEOM_LARGE_STEP");
    std::istringstream list(files ? files : "");
    for (std::string file; std::getline(list, file, ':');) {
        if (file.empty())
            continue;
        const std::string name = std::filesystem::path(file).stem().string();
        benchmark::RegisterBenchmark(("StepLoad/Library/" + name).c_str(), Library, file)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(1);
        benchmark::RegisterBenchmark(("StepLoad/Kernel/" + name).c_str(), Kernel, file)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(1);
    }
    return true;
}

[[maybe_unused]] const bool kLargeFilesRegistered = RegisterLargeFiles();

} // namespace

BENCHMARK_CAPTURE(Library, as1, kAssembly)->Name("StepLoad/Library")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Kernel, as1, kAssembly)->Name("StepLoad/Kernel")->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace KorrBench
