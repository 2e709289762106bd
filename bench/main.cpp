// The display benchmarks: library against raw kernel, with their ratio.
// Unless told otherwise on the command line, every benchmark is repeated five
// times in random interleaved order, so that a slow spell of a shared machine
// falls on both sides of a ratio rather than on one.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "RatioReporter.h"

namespace {

bool Given(const std::vector<char*>& arguments, const std::string& flag)
{
    for (const char* argument : arguments)
        if (std::string(argument).rfind(flag, 0) == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<char*> arguments(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=5";
    std::string interleaving = "--benchmark_enable_random_interleaving=true";
    if (!Given(arguments, "--benchmark_repetitions"))
        arguments.push_back(repetitions.data());
    if (!Given(arguments, "--benchmark_enable_random_interleaving"))
        arguments.push_back(interleaving.data());
    int count = static_cast<int>(arguments.size());

    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 1;
    KorrBench::RatioReporter reporter;
    reporter.Compare("ShapeMesh/PerFace", "ShapeMesh/Library", "at least 1.5");
    reporter.Compare("LocatedCopies/PerFace", "LocatedCopies/Library", "at least 1.5");
    reporter.Compare("DeepCopies/Library", "LocatedCopies/Library", "at least 20");
    reporter.Compare("AssemblyOfThousand/Library", "AssemblyOfOne/Library", "at most 10");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
