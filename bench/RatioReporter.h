#pragma once

#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace KorrBench {

// The console report, followed by one line per pair of benchmarks named
// "<Work>/Library" and "<Work>/Kernel": the median time per iteration of each
// over its repetitions (CPU time, or wall-clock time for benchmarks set to
// use real time), their spread, and library time / kernel time, followed
// by the median, quartiles and range of the ratios of the repetitions taken
// in the same order;
// then one line per comparison asked for with Compare.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so that a report piped to a file stays plain.
    RatioReporter();

    // Also reports the time of one benchmark divided by another's (full names,
    // "<Work>/<Side>"), with what the ratio is expected to be.
    void Compare(std::string numerator, std::string denominator, std::string expectation);

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    // Work -> side -> milliseconds per iteration, one entry per repetition.
    std::map<std::string, std::map<std::string, std::vector<double>>> times;
    struct Comparison {
        std::string numerator, denominator, expectation;
    };
    std::vector<Comparison> comparisons;

    const std::vector<double>* Times(const std::string& name) const;
};

} // namespace KorrBench
