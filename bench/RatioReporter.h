#pragma once

#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace KorrBench {

// The console report, followed by one line per pair of benchmarks named
// "<Work>/Library" and "<Work>/Kernel": the median CPU time per iteration of
// each over its repetitions, their spread, and library time / kernel time.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so that a report piped to a file stays plain.
    RatioReporter();

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    // Work -> side -> CPU milliseconds per iteration, one entry per repetition.
    std::map<std::string, std::map<std::string, std::vector<double>>> times;
};

} // namespace KorrBench
