#include "ChildPool.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace KorrFuzz {

namespace {

using Clock = std::chrono::steady_clock;

struct Running {
    std::size_t id;
    pid_t pid;
    int pipe;
    std::string bytes;
    std::string report;
    Clock::time_point start;
    std::size_t peakBytes = 0;
};

bool ReadAvailable(Running& child)
{
    std::array<char, 4096> buffer;
    for (;;) {
        const ssize_t got = read(child.pipe, buffer.data(), buffer.size());
        if (got > 0)
            child.report.append(buffer.data(), static_cast<std::size_t>(got));
        else
            return got == 0; // end of file: the child has closed its end
    }
}

// The innermost frames of every thread, then the outermost ones: a deep
// recursion hides where it was entered from.
std::string StackOf(pid_t pid)
{
    const std::string command = "gdb -nx -batch -p " + std::to_string(pid) +
                                " -ex 'thread apply all bt 30' -ex 'echo \\n(outermost frames)\\n'"
                                " -ex 'thread apply all bt -25' 2>/dev/null";
    std::string stack;
    if (FILE* gdb = popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer;
        std::size_t got;
        while ((got = std::fread(buffer.data(), 1, buffer.size(), gdb)) > 0)
            stack.append(buffer.data(), got);
        pclose(gdb);
    }
    return stack;
}

bool NearLimit(std::size_t peakBytes, const ChildLimits& limits)
{
    return limits.memoryBytes > 0 && peakBytes >= limits.memoryBytes / 10 * 9;
}

std::string Megabytes(std::size_t bytes)
{
    return std::to_string(bytes >> 20) + " MB";
}

// The verdict on a child that has ended with `status`.
ChildReport Judge(const Running& child, int status, const ChildLimits& limits)
{
    std::optional<ChildReport> told = Decode(child.report);
    ChildReport report;
    if (told) {
        report = *told;
    } else if (WIFSIGNALED(status)) {
        report.outcome = Outcome::Crash;
        report.detail = std::string("signal ") + strsignal(WTERMSIG(status));
    } else {
        report.outcome = Outcome::Crash;
        report.detail = "exited with status " + std::to_string(WEXITSTATUS(status)) + " without a report";
    }
    report.peakBytes = std::max(report.peakBytes, child.peakBytes);
    // An answer given after the address space ran out came from a swallowed
    // allocation failure.
    if (NearLimit(report.peakBytes, limits) && report.outcome != Outcome::OutOfMemory) {
        report.detail = std::string(OutcomeName(report.outcome)) + " after reaching " + Megabytes(report.peakBytes) +
                        (report.detail.empty() ? "" : ": " + report.detail);
        report.outcome = Outcome::OutOfMemory;
    }
    return report;
}

} // namespace

void RunChildren(std::size_t count, std::size_t parallel, const ChildLimits& limits,
                 const std::function<std::string(std::size_t)>& input,
                 const std::function<void(std::size_t, const std::string&, const ChildResult&)>& done)
{
    std::vector<Running> running;
    std::size_t next = 0;
    while (next < count || !running.empty()) {
        while (running.size() < std::max<std::size_t>(parallel, 1) && next < count) {
            Running child{next, -1, -1, input(next), {}, Clock::now()};
            int ends[2];
            if (pipe2(ends, O_CLOEXEC) != 0) {
                std::perror("pipe2");
                std::exit(2);
            }
            child.pid = fork();
            if (child.pid == 0) {
                close(ends[0]);
                RunChild(child.bytes, ends[1], limits.memoryBytes, !limits.verbose);
            }
            close(ends[1]);
            if (child.pid < 0) {
                std::perror("fork");
                std::exit(2);
            }
            child.pipe = ends[0];
            fcntl(child.pipe, F_SETFL, O_NONBLOCK);
            running.push_back(std::move(child));
            ++next;
        }

        std::vector<pollfd> pipes;
        for (const Running& child : running)
            pipes.push_back({child.pipe, POLLIN, 0});
        poll(pipes.data(), pipes.size(), 50);

        for (auto child = running.begin(); child != running.end();) {
            const bool closed = ReadAvailable(*child);
            child->peakBytes = std::max(child->peakBytes, PeakBytesOf(child->pid));
            const double seconds = std::chrono::duration<double>(Clock::now() - child->start).count();
            int status = 0;
            ChildResult result;
            result.seconds = seconds;
            if (closed && waitpid(child->pid, &status, 0) == child->pid) {
                result.report = Judge(*child, status, limits);
            } else if (seconds > limits.seconds) {
                if (limits.stacks)
                    result.stack = StackOf(child->pid);
                kill(child->pid, SIGKILL);
                waitpid(child->pid, &status, 0);
                result.report.outcome = Outcome::Hang;
                result.report.peakBytes = child->peakBytes;
                result.report.detail = "killed after " + std::to_string(static_cast<int>(seconds)) + " s, " +
                                       Megabytes(child->peakBytes) + " address space";
            } else {
                ++child;
                continue;
            }
            close(child->pipe);
            done(child->id, child->bytes, result);
            child = running.erase(child);
        }
    }
}

} // namespace KorrFuzz
