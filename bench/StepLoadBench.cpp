// Loading the as1 assembly (occt_trj6_as1-ug-214.stp from the shared data)
// through KStepFileService, whose translation runs in the worker process and
// comes back through the BRep screen with its names and colours, against the
// kernel's XCAF reader alone in this process with names and colours on. The
// difference is the price of keeping a crashing translator out of the host.
// Measured by the wall clock: the worker's time is not this process's.

#include <benchmark/benchmark.h>

#include <STEPCAFControl_Reader.hxx>
#include <TDocStd_Document.hxx>
#include <XCAFApp_Application.hxx>

#include <filesystem>
#include <string>

#include <KorrGeomCore/Service/KStepFileService.h>

namespace KorrBench {

namespace {

const std::string kAssembly = KORRGEOM_SHARED_DATA_DIR "/step/occt_trj6_as1-ug-214.stp";

bool AssemblyPresent(benchmark::State& state)
{
    if (std::filesystem::exists(kAssembly))
        return true;
    state.SkipWithError(("no shared data: " + kAssembly + " is missing").c_str());
    return false;
}

void Library(benchmark::State& state)
{
    if (!AssemblyPresent(state))
        return;
    const std::wstring path(kAssembly.begin(), kAssembly.end());
    for (auto _ : state) {
        // A new service each time: a service keeps what it loaded.
        if (!KorrCore::KStepFileService().LoadFile(path))
            state.SkipWithError("the service did not load the assembly");
    }
}

void Kernel(benchmark::State& state)
{
    if (!AssemblyPresent(state))
        return;
    const Handle(XCAFApp_Application) application = XCAFApp_Application::GetApplication();
    for (auto _ : state) {
        Handle(TDocStd_Document) document;
        application->NewDocument("MDTV-XCAF", document);
        STEPCAFControl_Reader reader;
        reader.SetNameMode(true);
        reader.SetColorMode(true);
        if (reader.ReadFile(kAssembly.c_str()) != IFSelect_RetDone || !reader.Transfer(document))
            state.SkipWithError("the kernel did not read the assembly");
        application->Close(document);
    }
}

} // namespace

BENCHMARK(Library)->Name("StepLoad/Library")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Kernel)->Name("StepLoad/Kernel")->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace KorrBench
