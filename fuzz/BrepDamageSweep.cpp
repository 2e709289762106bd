// korrgeom_damage_sweep: makes damaged copies of real BRep files, each with
// exactly one change (a number made huge, negative or NaN-like, bytes cut out,
// a line repeated, two lines swapped), and reads and inspects each copy as a
// host would in a child process with time and memory limits. Prints the
// outcomes per file, per change and per section, and saves every finding (a
// hang, crash, out-of-memory, escaped exception, or a success with NaN,
// infinite, misplaced or mis-indexed results) as an input for the fuzzers.

#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "BrepDamage.h"
#include "ChildPool.h"
#include "SweepTally.h"

namespace fs = std::filesystem;
using namespace KorrFuzz;

namespace {

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KORRFUZZ_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(KORRFUZZ_ADDRESS_SANITIZER)
// AddressSanitizer reserves terabytes of address space for its shadow memory.
constexpr double kDefaultMemoryGigabytes = 0;
#else
constexpr double kDefaultMemoryGigabytes = 6;
#endif

struct Options {
    std::vector<std::string> inputs;
    std::size_t copies = 300;
    std::uint64_t seed = 1;
    double memoryGigabytes = kDefaultMemoryGigabytes;
    std::string output = "sweep-findings";
    std::size_t parallel = 2;
    bool asIs = false;
    ChildLimits limits;
};

// The BRep files named, and those directly inside the folders named.
std::vector<fs::path> InputFiles(const std::vector<std::string>& inputs)
{
    std::vector<fs::path> files;
    for (const fs::path input : inputs) {
        if (!fs::is_directory(input)) {
            files.push_back(input);
            continue;
        }
        std::vector<fs::path> inFolder;
        for (const fs::directory_entry& entry : fs::directory_iterator(input))
            if (entry.is_regular_file() && entry.path().extension() == ".brep")
                inFolder.push_back(entry.path());
        std::sort(inFolder.begin(), inFolder.end());
        files.insert(files.end(), inFolder.begin(), inFolder.end());
    }
    return files;
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteAll(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Clean(std::string text)
{
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return text;
}

// Counts the kernel exceptions the explorers let through, by message, with
// one copy that shows each.
class RaisedMessages {
public:
    void Add(const std::string& message, const std::string& copy)
    {
        if (message.empty())
            return;
        // The call that raised ("(face 3 tessellation)") varies; the message is the kind.
        const std::string kind = message.substr(0, message.rfind(" ("));
        auto& entry = messages[kind];
        if (entry.first++ == 0)
            entry.second = copy;
    }
    void Print(std::ostream& out) const
    {
        if (messages.empty())
            return;
        out << "\nKernel exceptions the explorers let through (first per copy):\n";
        for (const auto& [message, entry] : messages)
            out << "  " << entry.first << " x " << message << "   e.g. " << entry.second << '\n';
    }

private:
    std::map<std::string, std::pair<std::size_t, std::string>> messages;
};

class Sweep {
public:
    explicit Sweep(const Options& sweepOptions) : options(sweepOptions)
    {
        if (options.asIs)
            return;
        fs::create_directories(options.output);
        results.open(fs::path(options.output) / ("results-s" + std::to_string(options.seed) + ".tsv"));
        results << "file\tcopy\tsection\tline\tchange\twhat\toutcome\tseconds\tpeak_mb\tkernel_exceptions"
                   "\tfirst_kernel_exception\tdetail\n";
    }

    void Run(const fs::path& file)
    {
        const std::string original = ReadAll(file);
        const BrepDamage damage(original);
        const std::string stem = file.stem().string();
        std::vector<DamagedCopy> copies(options.asIs ? 1 : options.copies);
        std::cout << file.string() << ": " << copies.size() << (options.asIs ? " as it is" : " damaged copies")
                  << std::endl;
        RunChildren(
            copies.size(), options.parallel, options.limits,
            [&](std::size_t i) {
                copies[i] = options.asIs ? DamagedCopy{original, Change::DeleteBytes, "", 0, "none"}
                                         : damage.Make(options.seed, i);
                return copies[i].bytes;
            },
            [&](std::size_t i, const std::string& bytes, const ChildResult& result) {
                Record(stem, i, copies[i], bytes, result);
            });
    }

    // Copies, or files inspected as they are, that hung, crashed or gave
    // display data a host cannot trust.
    std::size_t Findings() const { return findings; }

    void PrintTables(std::ostream& out) const
    {
        byFile.Print(out, "file");
        if (options.asIs)
            return;
        out << '\n';
        byChange.Print(out, "change");
        out << '\n';
        bySection.Print(out, "section");
        raised.Print(out);
    }

private:
    void Record(const std::string& stem, std::size_t i, const DamagedCopy& copy, const std::string& bytes,
                const ChildResult& result)
    {
        const ChildReport& report = result.report;
        const bool didRaise = report.kernelExceptions > 0;
        findings += IsFinding(report.outcome);
        byFile.Add(stem, report.outcome, didRaise, result.seconds);
        if (options.asIs) {
            std::cout << "  " << OutcomeName(report.outcome) << (report.detail.empty() ? "" : ": " + report.detail)
                      << (didRaise ? "; explorers raised " + report.firstKernelException : "") << std::endl
                      << result.stack;
            return;
        }
        const std::string change = ChangeName(copy.change);
        byChange.Add(change, report.outcome, didRaise, result.seconds);
        bySection.Add(copy.section, report.outcome, didRaise, result.seconds);
        const std::string name = stem + ".s" + std::to_string(options.seed) + "-" + std::to_string(i) + "." +
                                 copy.section + "-" + change + "." + OutcomeName(report.outcome);
        raised.Add(report.firstKernelException, name);
        results << stem << '\t' << i << '\t' << copy.section << '\t' << copy.line << '\t' << change << '\t'
                << Clean(copy.what) << '\t' << OutcomeName(report.outcome) << '\t' << result.seconds << '\t'
                << (report.peakBytes >> 20) << '\t' << report.kernelExceptions << '\t'
                << Clean(report.firstKernelException) << '\t' << Clean(report.detail) << '\n';
        results.flush();
        if (!IsFinding(report.outcome))
            return;
        const fs::path saved = fs::path(options.output) / (name + ".brep");
        WriteAll(saved, bytes);
        if (!result.stack.empty())
            WriteAll(fs::path(options.output) / (name + ".stack.txt"), result.stack);
        std::cout << "  " << saved.filename().string() << " (line " << copy.line << ", " << copy.what
                  << "): " << report.detail << std::endl;
    }

    const Options& options;
    std::ofstream results;
    SweepTally byFile, byChange, bySection;
    RaisedMessages raised;
    std::size_t findings = 0;
};

} // namespace

int main(int argc, char** argv)
{
    Options options;
    CLI::App app{"Reads damaged copies of BRep files in child processes and inspects what the library makes of "
                 "them. Findings are saved as <output>/<file>.s<seed>-<copy>.<section>-<change>.<outcome>.brep, "
                 "every copy's outcome in <output>/results-s<seed>.tsv. Exits with status 1 when anything is found."};
    app.add_option("inputs", options.inputs, "BRep files, or folders of them")->required()->check(CLI::ExistingPath);
    app.add_option("-n,--copies", options.copies, "Damaged copies per file")->capture_default_str();
    app.add_option("-s,--seed", options.seed, "Seed of the changes; the same seed makes the same copies")
        ->capture_default_str();
    app.add_option("-t,--timeout", options.limits.seconds, "Seconds before a child counts as hanging")
        ->check(CLI::PositiveNumber)
        ->capture_default_str();
    app.add_option("-m,--memory", options.memoryGigabytes,
                   "Address-space limit of a child in GB, 0 for none (the default under AddressSanitizer)")
        ->check(CLI::NonNegativeNumber)
        ->capture_default_str();
    app.add_option("-o,--output", options.output, "Folder for the findings and the results table")
        ->capture_default_str();
    app.add_option("-j,--parallel", options.parallel, "Children at a time")
        ->check(CLI::PositiveNumber)
        ->capture_default_str();
    app.add_flag("--stacks", options.limits.stacks, "Keep gdb's stacks of every hanging child next to the finding");
    app.add_flag("--as-is", options.asIs,
                 "Inspect the files unchanged (to replay findings): prints the outcomes (and stacks), saves nothing");
    app.add_flag("-v,--verbose", options.limits.verbose, "Let the children's output through");
    CLI11_PARSE(app, argc, argv);
    options.limits.memoryBytes = static_cast<std::size_t>(options.memoryGigabytes * double(1 << 30));

    const auto start = std::chrono::steady_clock::now();
    Sweep sweep(options);
    for (const fs::path& file : InputFiles(options.inputs))
        sweep.Run(file);
    std::cout << '\n';
    sweep.PrintTables(std::cout);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "\nwall time " << static_cast<long>(seconds) << " s, " << sweep.Findings() << " findings\n";
    return sweep.Findings() == 0 ? 0 : 1;
}
