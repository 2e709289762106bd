#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
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

// Runs the worker program with `arguments` (argv[1] onwards), `input` as its
// standard input, `output` (a file it writes) or else a pipe for its result
// as its descriptor 3, a pipe for progress lines as its descriptor 4 (see
// WorkerProtocol.h), and nothing else of this process: no other descriptor,
// no signal mask, default handling of SIGPIPE; its standard output and error
// (where the kernel chats) go to /dev/null. Waits for it to exit, reading the
// pipes meanwhile, and kills it at the time limit or on cancellation; the
// worker is always reaped and every descriptor closed before this returns.
// posix_spawn rather than fork, so that a multi-threaded host is safe.
WorkerRun RunWorker(const std::string& program, const std::vector<std::string>& arguments, int input, int output,
                    const WorkerWatch& watch);

} // namespace KorrCore::Xde
