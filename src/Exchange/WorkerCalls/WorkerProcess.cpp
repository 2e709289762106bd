#include "Exchange/WorkerCalls/WorkerProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Internal/Platform/Descriptor.h"
#include "Internal/Protocol/WorkerProtocol.h"

extern char** environ;

namespace KorrCore::Xde {

namespace {

using Clock = std::chrono::steady_clock;

// The first descriptor a spawned worker does not inherit; the ones below are
// its standard streams and the two it is given.
constexpr int kFirstClosed = 5;
// How long the wait sleeps at most before it looks at the clock and the
// cancellation callback again.
constexpr int kPollMilliseconds = 50;

// A copy above the worker's fixed descriptors, so that placing one of them
// never overwrites another that is still to be placed.
Descriptor Raised(int fd)
{
    return Descriptor(::fcntl(fd, F_DUPFD_CLOEXEC, kFirstClosed));
}

struct Pipe {
    Descriptor read, write;
};

bool MakePipe(Pipe& pipe)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return false;
    pipe.read = Descriptor(ends[0]);
    pipe.write = Descriptor(ends[1]);
    // Only this side's end: the worker writes with ordinary blocking writes.
    return ::fcntl(pipe.read.Get(), F_SETFL, O_NONBLOCK) == 0;
}

// The worker's start-up state; every step is checked, since a worker started
// half set up could hold the host's descriptors.
class SpawnSetup {
public:
    SpawnSetup()
        : actionsMade(::posix_spawn_file_actions_init(&actions) == 0),
          attributesMade(::posix_spawnattr_init(&attributes) == 0)
    {
    }
    ~SpawnSetup()
    {
        if (actionsMade)
            ::posix_spawn_file_actions_destroy(&actions);
        if (attributesMade)
            ::posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    bool Prepare(int input, int third, int fourth)
    {
        sigset_t none, defaults;
        sigemptyset(&none);
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        const bool inputPlaced =
            input >= 0 ? ::posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO) == 0
                       : ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0) == 0;
        return actionsMade && attributesMade && inputPlaced &&
               ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0) == 0 &&
               ::posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO) == 0 &&
               ::posix_spawn_file_actions_adddup2(&actions, third, 3) == 0 &&
               ::posix_spawn_file_actions_adddup2(&actions, fourth, 4) == 0 &&
               ::posix_spawn_file_actions_addclosefrom_np(&actions, kFirstClosed) == 0 &&
               ::posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
               ::posix_spawnattr_setsigdefault(&attributes, &defaults) == 0 &&
               ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
    }

    pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments)
    {
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        pid_t pid = -1;
        if (::posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ) != 0)
            return -1;
        return pid;
    }

private:
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
    bool actionsMade, attributesMade;
};

// Reads what a pipe has now, up to a few megabytes so that the caller gets
// to look at the clock again; at its end (or on an error) closes it.
void Drain(Descriptor& pipe, std::string& into)
{
    char chunk[1 << 16];
    for (int chunks = 0; chunks < 64; ++chunks) {
        const ssize_t got = ::read(pipe.Get(), chunk, sizeof chunk);
        if (got > 0) {
            into.append(chunk, static_cast<std::size_t>(got));
        } else if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return;
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            pipe.Close();
            return;
        }
    }
}

void PassLines(std::string& pending, std::string& lastLine, const WorkerWatch& watch)
{
    std::size_t end;
    while ((end = pending.find('\n')) != std::string::npos) {
        lastLine = pending.substr(0, end);
        pending.erase(0, end + 1);
        if (watch.progressLine)
            watch.progressLine(lastLine);
    }
}

class RunningWorker {
public:
    RunningWorker(pid_t pid, Pipe&& result, Pipe&& progress)
        : pid(pid), exited(ProcessDescriptor(pid)), result(std::move(result.read)), progress(std::move(progress.read))
    {
    }
    // A callback that throws leaves Wait early; the worker must not outlive it.
    ~RunningWorker()
    {
        if (!reaped) {
            WorkerRun ignored;
            ::kill(pid, SIGKILL);
            Reaped(ignored, true);
        }
    }
    RunningWorker(const RunningWorker&) = delete;
    RunningWorker& operator=(const RunningWorker&) = delete;

    WorkerRun Wait(const WorkerWatch& watch)
    {
        WorkerRun run;
        const Clock::time_point deadline = Clock::now() + watch.timeLimit;
        std::string progressText;
        for (;;) {
            if (Reaped(run, false))
                break;
            if (watch.cancelled && watch.cancelled())
                return Killed(WorkerRun::Outcome::Cancelled);
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return Killed(WorkerRun::Outcome::TimedOut);
            Listen(static_cast<int>(std::min<long long>(left.count(), kPollMilliseconds)), run.result, progressText);
            PassLines(progressText, run.lastLine, watch);
            if (run.result.size() > watch.resultLimit)
                return Killed(WorkerRun::Outcome::TooLarge);
        }
        // The worker has gone: the rest of what it wrote, at most a pipe's
        // capacity, is waiting in the pipes.
        if (result.Open())
            Drain(result, run.result);
        if (progress.Open())
            Drain(progress, progressText);
        PassLines(progressText, run.lastLine, watch);
        return run;
    }

private:
    // Waits up to `milliseconds` for output or the worker's end, then takes
    // what there is. (The pipes end as the worker exits, a little before it
    // can be reaped; its process descriptor tells when it can.)
    void Listen(int milliseconds, std::string& resultText, std::string& progressText)
    {
        // The poll leaves out closed descriptors (-1).
        pollfd fds[3] = {{result.Get(), POLLIN, 0}, {progress.Get(), POLLIN, 0}, {exited.Get(), POLLIN, 0}};
        if (::poll(fds, 3, milliseconds) <= 0)
            return;
        if (fds[0].revents != 0)
            Drain(result, resultText);
        if (fds[1].revents != 0)
            Drain(progress, progressText);
    }

    // True once the worker has exited; `block` waits for it.
    bool Reaped(WorkerRun& run, bool block)
    {
        int status = 0;
        pid_t got;
        do {
            got = ::waitpid(pid, &status, block ? 0 : WNOHANG);
        } while (got < 0 && errno == EINTR);
        if (got == 0)
            return false;
        reaped = true;
        if (got < 0) {
            run.outcome = WorkerRun::Outcome::Vanished;
        } else if (WIFEXITED(status)) {
            run.outcome = WorkerRun::Outcome::Exited;
            run.exitStatus = WEXITSTATUS(status);
        } else {
            run.outcome = WorkerRun::Outcome::Signalled;
            run.signal = WTERMSIG(status);
        }
        return true;
    }

    WorkerRun Killed(WorkerRun::Outcome why)
    {
        WorkerRun run;
        // Still ours to signal: it has not been reaped, so its id is not reused.
        ::kill(pid, SIGKILL);
        Reaped(run, true);
        run.outcome = why;
        return run;
    }

    pid_t pid;
    bool reaped = false;
    // Readable once the worker has exited; not open where the system has no
    // process descriptors, and the wait then looks again every 50 ms.
    Descriptor exited;
    Descriptor result, progress;
};

} // namespace

// Called through syscall: the C library's declaration of pidfd_open lacks C
// linkage in the version at hand.
int ProcessDescriptor(pid_t pid)
{
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

pid_t SpawnWorker(const std::string& program, const std::vector<std::string>& arguments, int input, int third,
                  int fourth)
{
    const Descriptor raisedInput = input >= 0 ? Raised(input) : Descriptor();
    const Descriptor raisedThird = Raised(third), raisedFourth = Raised(fourth);
    SpawnSetup setup;
    if ((input >= 0 && !raisedInput.Open()) || !raisedThird.Open() || !raisedFourth.Open() ||
        !setup.Prepare(raisedInput.Get(), raisedThird.Get(), raisedFourth.Get()))
        return -1;
    return setup.Spawn(program, arguments);
}

WorkerRun RunWorker(const WorkerStart& start, int input, int output, const WorkerWatch& watch)
{
    Pipe result, progress;
    if ((output < 0 && !MakePipe(result)) || !MakePipe(progress))
        return {};
    const pid_t pid = start(input, output >= 0 ? output : result.write.Get(), progress.write.Get());
    if (pid < 0)
        return {};
    // Only the worker may hold the writing ends, so that its exit ends the pipes.
    result.write.Close();
    progress.write.Close();
    return RunningWorker(pid, std::move(result), std::move(progress)).Wait(watch);
}

} // namespace KorrCore::Xde
