#include "RatioReporter.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <utility>

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

// The value a fraction of the way through the sorted values, between
// neighbours where it falls between two.
double Quantile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const double position = fraction * static_cast<double>(values.size() - 1);
    const std::size_t below = static_cast<std::size_t>(position);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (position - static_cast<double>(below)) * (values[above] - values[below]);
}

// Library time over kernel time of the repetitions taken in the same order:
// with interleaving, each pair ran close together.
std::vector<double> PairedRatios(const std::vector<double>& library, const std::vector<double>& kernel)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < std::min(library.size(), kernel.size()); ++i)
        ratios.push_back(library[i] / kernel[i]);
    return ratios;
}

} // namespace

RatioReporter::RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

void RatioReporter::Compare(std::string numerator, std::string denominator, std::string expectation)
{
    comparisons.push_back({std::move(numerator), std::move(denominator), std::move(expectation)});
}

const std::vector<double>* RatioReporter::Times(const std::string& name) const
{
    const std::size_t slash = name.rfind('/');
    const auto work = times.find(name.substr(0, slash));
    if (slash == std::string::npos || work == times.end())
        return nullptr;
    const auto side = work->second.find(name.substr(slash + 1));
    return side == work->second.end() ? nullptr : &side->second;
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
        // Work spread over several threads is measured by the wall clock:
        // CPU time counts the calling thread only.
        const bool wallClock = !run.run_name.time_type.empty();
        const double seconds = wallClock ? run.real_accumulated_time : run.cpu_accumulated_time;
        const double milliseconds = seconds / static_cast<double>(run.iterations) * 1e3;
        times[name.substr(0, slash)][name.substr(slash + 1)].push_back(milliseconds);
    }
}

void RatioReporter::Finalize()
{
    ConsoleReporter::Finalize();
    std::printf("\nlibrary / kernel, median time per iteration (spread over repetitions): CPU time, or wall-clock\n"
                "time for the benchmarks measured in real time\n");
    for (const auto& [work, sides] : times) {
        const auto library = sides.find("Library");
        const auto kernel = sides.find("Kernel");
        if (library == sides.end() || kernel == sides.end())
            continue;
        const double libraryTime = Median(library->second), kernelTime = Median(kernel->second);
        const std::vector<double> ratios = PairedRatios(library->second, kernel->second);
        std::printf("%-18s library %9.3f ms (%4.1f%%)  kernel %9.3f ms (%4.1f%%)  ratio %.3f  [%zu repetitions]\n",
                    work.c_str(), libraryTime, SpreadPercent(library->second), kernelTime,
                    SpreadPercent(kernel->second), libraryTime / kernelTime, ratios.size());
        std::printf("%-18s paired ratios: median %.3f, quartiles %.3f-%.3f, range %.3f-%.3f\n", "", Median(ratios),
                    Quantile(ratios, 0.25), Quantile(ratios, 0.75), Quantile(ratios, 0), Quantile(ratios, 1));
    }
    for (const Comparison& comparison : comparisons) {
        const std::vector<double>* numerator = Times(comparison.numerator);
        const std::vector<double>* denominator = Times(comparison.denominator);
        if (!numerator || !denominator)
            continue;
        std::printf("%s / %s: %.3f ms (%4.1f%%) / %.3f ms (%4.1f%%) = %.2f, expected %s\n",
                    comparison.numerator.c_str(), comparison.denominator.c_str(), Median(*numerator),
                    SpreadPercent(*numerator), Median(*denominator), SpreadPercent(*denominator),
                    Median(*numerator) / Median(*denominator), comparison.expectation.c_str());
    }
}

} // namespace KorrBench
