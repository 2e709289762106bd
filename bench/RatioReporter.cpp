#include "RatioReporter.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace KorrBench {

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// (largest - smallest) / median, in percent: how much the repetitions disagree.
double SpreadPercent(const std::vector<double>& values)
{
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    return 100 * (*highest - *lowest) / Median(values);
}

} // namespace

RatioReporter::RatioReporter()
    : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular)
{
}

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0)
            continue;
        const std::string& name = run.run_name.function_name;
        const std::size_t slash = name.rfind('/');
        if (slash == std::string::npos)
            continue;
        const double milliseconds = run.cpu_accumulated_time / static_cast<double>(run.iterations) * 1e3;
        times[name.substr(0, slash)][name.substr(slash + 1)].push_back(milliseconds);
    }
}

void RatioReporter::Finalize()
{
    ConsoleReporter::Finalize();
    std::printf("\nlibrary / kernel, median CPU time per iteration (spread over repetitions)\n");
    for (const auto& [work, sides] : times) {
        const auto library = sides.find("Library");
        const auto kernel = sides.find("Kernel");
        if (library == sides.end() || kernel == sides.end())
            continue;
        const double libraryTime = Median(library->second), kernelTime = Median(kernel->second);
        std::printf("%-18s library %9.3f ms (%4.1f%%)  kernel %9.3f ms (%4.1f%%)  ratio %.3f  [%zu repetitions]\n",
                    work.c_str(), libraryTime, SpreadPercent(library->second), kernelTime,
                    SpreadPercent(kernel->second), libraryTime / kernelTime,
                    std::min(library->second.size(), kernel->second.size()));
    }
}

} // namespace KorrBench
