#include "SweepChild.h"

#include <KorrGeomCore/KorrGeomCore.h>

#include <Standard_Failure.hxx>
#include <Standard_OutOfMemory.hxx>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <exception>
#include <fstream>
#include <new>
#include <sstream>

#include "FuzzInspect.h"

namespace KorrFuzz {

namespace {

// The report pipe, for the terminate handler.
int reportPipe = -1;

std::string OneField(std::string text)
{
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return text.size() > 2000 ? text.substr(0, 2000) + "..." : text;
}

[[noreturn]] void Finish(const ChildReport& report)
{
    ChildReport final = report;
    final.peakBytes = PeakBytesOf(getpid());
    const std::string line = Encode(final);
    [[maybe_unused]] const ssize_t written = write(reportPipe, line.data(), line.size());
    _exit(0);
}

ChildReport Failing(Outcome outcome, const std::string& detail)
{
    return {outcome, detail, 0, {}, 0};
}

// Anything that reaches the top of the child: out-of-memory when it is an
// allocation failure, otherwise an exception that got out of the library.
ChildReport Escaped(const std::string& where)
{
    try {
        throw;
    } catch (const Standard_OutOfMemory& failure) {
        return Failing(Outcome::OutOfMemory, where + ": " + failure.GetMessageString());
    } catch (const Standard_Failure& failure) {
        return Failing(Outcome::EscapedException,
                       where + ": " + failure.DynamicType()->Name() + ": " + failure.GetMessageString());
    } catch (const std::bad_alloc&) {
        return Failing(Outcome::OutOfMemory, where + ": std::bad_alloc");
    } catch (const std::exception& error) {
        return Failing(Outcome::EscapedException, where + ": " + error.what());
    } catch (...) {
        return Failing(Outcome::EscapedException, where + ": an exception of unknown type");
    }
}

// An exception thrown through a noexcept function ends here; after an
// allocation failure that is what running out of memory looks like.
[[noreturn]] void OnTerminate()
{
    ChildReport report = Failing(Outcome::Crash, "std::terminate without an exception");
    if (std::current_exception()) {
        report = Escaped("std::terminate");
        if (report.outcome != Outcome::OutOfMemory)
            report.outcome = Outcome::Crash;
    }
    Finish(report);
}

ChildReport ReadAndInspect(const std::string& bytes)
{
    const int file = memfd_create("damaged.brep", 0);
    if (file < 0 || write(file, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        return Failing(Outcome::Crash, "could not hand the copy to the reader");
    const KorrCore::ShapePtr shape =
        KorrCore::KBrepTools::ReadBrepFile(L"/proc/self/fd/" + std::to_wstring(file), nullptr);
    if (!shape)
        return Failing(Outcome::Null, {});
    const InspectVerdict verdict = Examine(shape);
    return {OutcomeOf(verdict.fault), verdict.detail, verdict.kernelExceptions, verdict.firstKernelException, 0};
}

} // namespace

std::string Encode(const ChildReport& report)
{
    return std::string(OutcomeName(report.outcome)) + '\t' + std::to_string(report.kernelExceptions) + '\t' +
           std::to_string(report.peakBytes) + '\t' + OneField(report.detail) + '\t' +
           OneField(report.firstKernelException) + '\n';
}

std::optional<ChildReport> Decode(const std::string& line)
{
    std::istringstream fields(line);
    std::string outcome, exceptions, peak;
    ChildReport report;
    if (!std::getline(fields, outcome, '\t') || !std::getline(fields, exceptions, '\t') ||
        !std::getline(fields, peak, '\t') || !std::getline(fields, report.detail, '\t') ||
        !std::getline(fields, report.firstKernelException, '\n'))
        return std::nullopt;
    for (Outcome known : kOutcomes)
        if (outcome == OutcomeName(known)) {
            report.outcome = known;
            report.kernelExceptions = std::stoi(exceptions);
            report.peakBytes = std::stoull(peak);
            return report;
        }
    return std::nullopt;
}

void RunChild(const std::string& bytes, int reportFd, std::size_t memoryBytes, bool quiet)
{
    reportPipe = reportFd;
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    if (memoryBytes > 0) {
        const rlimit space{memoryBytes, memoryBytes};
        setrlimit(RLIMIT_AS, &space);
    }
    // The parent may attach a debugger to read the stack of a hang.
    prctl(PR_SET_PTRACER, PR_SET_PTRACER_ANY);
    if (quiet) {
        const int nowhere = open("/dev/null", O_WRONLY);
        dup2(nowhere, STDOUT_FILENO);
        dup2(nowhere, STDERR_FILENO);
    }
    KorrCore::KcAssert::SetReportHandler([](const std::string&, const char*, int) {});
    std::set_terminate(OnTerminate);
    ChildReport report;
    try {
        report = ReadAndInspect(bytes);
    } catch (...) {
        report = Escaped("reading or inspecting");
    }
    Finish(report);
}

std::size_t PeakBytesOf(int pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    std::size_t kilobytes = 0;
    while (status >> key) {
        if (key == "VmPeak:" && status >> kilobytes)
            return kilobytes * 1024;
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

} // namespace KorrFuzz
