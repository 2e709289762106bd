#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace KorrCore::Xde {

struct WorkerRun {
    enum class Outcome {
        NotStarted,
        Exited,    // exitStatus holds the status
        Signalled, // crashed, or stopped by its own limits
        TimedOut,  // killed at the wall-clock limit
        Cancelled, // killed because the caller asked
        TooLarge,  // killed for writing a result beyond the limit
        Vanished,  // reaped by someone else (a host reaping every child); its status is unknown
    };
    Outcome outcome = Outcome::NotStarted;
    int exitStatus = -1;
    // The signal that ended a Signalled worker.
    int signal = 0;
    std::string result;
    // The last line on the progress channel.
    std::string lastLine;
};

struct WorkerWatch {
    std::chrono::milliseconds timeLimit{120000};
    std::size_t resultLimit = 1u << 30;
    // Polled several times a second while the worker runs; true stops it.
    std::function<bool()> cancelled;
    // Each line the worker writes on its progress channel, without its end.
    std::function<void(std::string_view line)> progressLine;
};

// A descriptor that becomes readable when the process exits (-1 where the
// system has none).
int ProcessDescriptor(pid_t pid);

// Starts `program` with `arguments` (argv[1] onwards), `input` (or
// /dev/null for -1) as its standard input, `third` and `fourth` as its
// descriptors 3 and 4, and nothing else of this process: no other
// descriptor, no signal mask, default handling of SIGPIPE; its standard
// output and error (where the kernel chats) go to /dev/null. Gives its
// process id, or -1. posix_spawn rather than fork, so that a multi-threaded
// host is safe.
pid_t SpawnWorker(const std::string& program, const std::vector<std::string>& arguments, int input, int third,
                  int fourth);

// Starts a worker, a child of this process, on the given descriptors (see
// WorkerProtocol.h); gives its process id, or -1.
using WorkerStart = std::function<pid_t(int input, int output, int progress)>;

// Has `start` run a worker with `input` as its standard input, `output` (a
// file it writes) or else a pipe for its result as its descriptor 3, and a
// pipe for progress lines as its descriptor 4. Waits for it to exit, reading
// the pipes meanwhile, and kills it at the time limit or on cancellation;
// the worker is always reaped and every descriptor closed before this
// returns.
WorkerRun RunWorker(const WorkerStart& start, int input, int output, const WorkerWatch& watch);

} // namespace KorrCore::Xde
