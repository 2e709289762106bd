#include "Exchange/WorkerCalls/WorkerProcess.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "Internal/Platform/Descriptor.h"
#include "support/Checks.h"

// The host's side of a worker, with shell scripts for workers: what each way
// of ending gives, what the worker is handed and what it hands back.

using namespace KorrCore::Xde;
using Outcome = WorkerRun::Outcome;

namespace {

// Far beyond what the scripts take, and short enough that a wait that never
// ends fails its test soon.
constexpr std::chrono::seconds kScriptTime{10};

WorkerRun RunScript(const std::string& script, const WorkerWatch& watch, int input = -1, int output = -1)
{
    const WorkerStart start = [&](int in, int out, int progress) {
        return SpawnWorker("/bin/sh", {"-c", script}, in, out, progress);
    };
    return RunWorker(start, input, output, watch);
}

struct Ending {
    std::string script;
    Outcome outcome;
    int exitStatus, signal;
    std::string result, lastLine;
};

} // namespace

TEST(WorkerProcess, EachWayOfEndingGivesItsOutcomeAndWhatTheWorkerWrote)
{
    std::vector<std::string> lines;
    WorkerWatch watch;
    watch.timeLimit = kScriptTime;
    watch.resultLimit = 1000;
    watch.progressLine = [&](std::string_view line) { lines.emplace_back(line); };
    // The worker starts with no signal blocked or ignored, whatever the host's.
    sigset_t blocked, before;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR1);
    ::pthread_sigmask(SIG_BLOCK, &blocked, &before);
    const auto hostPipeHandling = std::signal(SIGPIPE, SIG_IGN);
    // Nor any of its descriptors.
    const KorrCore::Descriptor nullDevice(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    const KorrCore::Descriptor hostOnly(::fcntl(nullDevice.Get(), F_DUPFD, 5));
    const Ending endings[] = {
        {"echo going >&4; kill -SEGV $$", Outcome::Signalled, -1, SIGSEGV, "", "going"},
        {"kill -USR1 $$; exit 0", Outcome::Signalled, -1, SIGUSR1, "", ""},
        {"kill -PIPE $$; exit 0", Outcome::Signalled, -1, SIGPIPE, "", ""},
        {"cat >&3; for fd in 5 6 7 8 9; do { true <&$fd; } 2>/dev/null && echo $fd >&3; done; exit 0", Outcome::Exited,
         0, 0, "", ""},
        {"head -c 999 /dev/zero | tr '\\0' x >&3", Outcome::Exited, 0, 0, std::string(999, 'x'), ""},
        {"head -c 1001 /dev/zero >&3; exec sleep 20", Outcome::TooLarge, -1, SIGKILL, "", ""},
        // Last, so that its lines are the ones heard.
        {"printf result >&3; echo first >&4; printf 'last\\nunended' >&4; exit 7", Outcome::Exited, 7, 0, "result",
         "last"},
    };
    for (const Ending& ending : endings) {
        lines.clear();
        const WorkerRun run = RunScript(ending.script, watch);
        EXPECT_EQ(run.outcome, ending.outcome) << ending.script;
        EXPECT_EQ(run.exitStatus, ending.exitStatus) << ending.script;
        EXPECT_EQ(run.signal, ending.signal) << ending.script;
        EXPECT_EQ(run.result, ending.result) << ending.script;
        EXPECT_EQ(run.lastLine, ending.lastLine) << ending.script;
    }
    ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
    std::signal(SIGPIPE, hostPipeHandling);
    EXPECT_EQ(lines, (std::vector<std::string>{"first", "last"}));
}

TEST(WorkerProcess, TheWaitEndsAtTheTimeLimitOnCancellationOrWhenNothingStartsAndCarriesWholeResultsAndFiles)
{
    WorkerWatch watch;
    watch.timeLimit = std::chrono::milliseconds(200);
    EXPECT_EQ(RunScript("exec sleep 20", watch).outcome, Outcome::TimedOut);
    watch.timeLimit = kScriptTime;
    int asked = 0;
    watch.cancelled = [&] { return ++asked == 3; };
    EXPECT_EQ(RunScript("exec sleep 20", watch).outcome, Outcome::Cancelled);
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(RunWorker([](int, int, int) { return -1; }, -1, -1, watch).outcome, Outcome::NotStarted);

    // More than a pipe holds, and an input and an output file of the host's.
    EXPECT_EQ(RunScript("head -c 5000000 /dev/zero >&3", watch).result.size(), 5000000u);
    KorrTest::TempDir dir;
    KorrTest::WriteBytes(dir.file("in"), "input");
    const KorrCore::Descriptor input(::open(dir.file("in").c_str(), O_RDONLY));
    const KorrCore::Descriptor output(::open(dir.file("out").c_str(), O_WRONLY | O_CREAT, 0600));
    EXPECT_EQ(RunScript("cat >&3", watch, input.Get(), output.Get()).result, "");
    EXPECT_EQ(KorrTest::ReadBytes(dir.file("out")), "input");
}
