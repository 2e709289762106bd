#include <KorrGeomCore/Service/KStepFileService.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "FileFormats/ExchangeChecks.h"

// The one worker process the services keep: each file gets a fresh copy of
// it, so a file neither sees what an earlier one left nor takes the worker
// down with it, and the worker goes with the services or with the host.

using namespace KorrCore;

TEST(ResidentWorker, OneProcessServesEveryFileEachInAFreshCopyIsReplacedWhenKilledOrForkedAndEndsWithTheServices)
{
    const std::string as1 = KorrTest::SharedExchangeFile("step/occt_trj6_as1-ug-214.stp");
    KorrTest::TempDir dir;
    const std::string crash = KorrTest::CrashingStepFile(dir);
    KORRTEST_SKIP_IF_ABSENT(as1.empty() || crash.empty());
    const KorrTest::NothingLeftBehind check(dir);
    {
        KStepFileService service;
        const ShapePtr first = service.LoadFileUncached(KorrTest::Wide(as1));
        ASSERT_TRUE(first);
        const std::set<int> resident = KorrTest::ChildProcesses();
        ASSERT_EQ(resident.size(), 1u);
        const auto openInResident = [folder = "/proc/" + std::to_string(*resident.begin()) + "/fd"] {
            return std::distance(std::filesystem::directory_iterator(folder), {});
        };
        const auto openAfterOneFile = openInResident();
        // A host that forks starts a resident worker of its own in the child:
        // copies of its parent's would be its parent's children.
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ::_exit(KStepFileService().LoadFileUncached(KorrTest::Wide(as1)) ? 0 : 1);
        int status = -1;
        ::waitpid(child, &status, 0);
        EXPECT_EQ(status, 0) << "the forked host's load";

        EXPECT_FALSE(service.LoadFileUncached(KorrTest::Wide(crash)));
        EXPECT_EQ(KLastOutcome().Code, KOutcomeCode::TranslatorFailed);
        const ShapePtr afterCrash = service.LoadFileUncached(KorrTest::Wide(as1));
        ASSERT_TRUE(afterCrash) << KLastOutcome().Message;
        EXPECT_EQ(KorrTest::SolidAndFaceUses(afterCrash), KorrTest::SolidAndFaceUses(first));
        EXPECT_EQ(KorrTest::CensusOf(afterCrash), KorrTest::CensusOf(first));
        EXPECT_EQ(KorrTest::ChildProcesses(), resident) << "the crash took the resident worker with it";
        EXPECT_EQ(openInResident(), openAfterOneFile) << "the resident worker keeps no file's descriptors";

        // Dead (not reaped) before the next file, which it would fail.
        ::kill(*resident.begin(), SIGKILL);
        siginfo_t death{};
        ::waitid(P_PID, static_cast<id_t>(*resident.begin()), &death, WEXITED | WNOWAIT);
        const ShapePtr afterKill = service.LoadFileUncached(KorrTest::Wide(as1));
        ASSERT_TRUE(afterKill) << KLastOutcome().Message;
        EXPECT_EQ(KorrTest::CensusOf(afterKill), KorrTest::CensusOf(first));
        const std::set<int> replacement = KorrTest::ChildProcesses();
        EXPECT_EQ(replacement.size(), 1u) << "the killed one is reaped";
        EXPECT_EQ(replacement.count(*resident.begin()), 0u);
    }
    EXPECT_TRUE(check.Check());
}

// The host is a child of this test, killed while a copy is stopped in the
// middle of its file: neither the copy (once it goes on) nor the resident
// worker outlives it.
TEST(ResidentWorker, AKilledHostTakesTheResidentWorkerAndACopyInMidFileWithIt)
{
    KORRTEST_SHARED_FILE(as1, "step/occt_trj6_as1-ug-214.stp");
    KorrTest::TempDir dir;
    KorrTest::WriteBytes(dir.file("orphaned.stp"), KorrTest::ReadBytes(as1));
    const pid_t host = ::fork();
    ASSERT_GE(host, 0);
    if (host == 0) {
        KStepFileService().LoadFile(KorrTest::Wide(dir.file("orphaned.stp")));
        ::_exit(0);
    }
    const int copy = KorrTest::StopReaderOf(dir.file("orphaned.stp"));
    std::map<int, int> ends;
    std::ifstream list("/proc/" + std::to_string(host) + "/task/" + std::to_string(host) + "/children");
    for (int pid; list >> pid;)
        ends[pid] = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    ::kill(host, SIGKILL);
    ::waitpid(host, nullptr, 0);
    ASSERT_NE(copy, 0) << "the copy was never seen";
    ASSERT_EQ(ends.size(), 2u) << "the resident worker and its copy";
    for (const auto& [pid, ended] : ends) {
        ASSERT_GE(ended, 0);
        ::kill(pid, SIGCONT);
        // Ten seconds, however busy the machine.
        pollfd end{ended, POLLIN, 0};
        EXPECT_EQ(::poll(&end, 1, 10000), 1) << pid << " outlived its host";
        ::close(ended);
    }
}
