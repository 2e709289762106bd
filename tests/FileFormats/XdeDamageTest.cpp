#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <sys/wait.h>
#include <vector>

#include "FileFormats/ExchangeChecks.h"
#include "support/Checks.h"

// Files the kernel's translators cannot take, and workers stopped on the way:
// each gives null promptly, and leaves no descriptor, process or file behind.

using namespace KorrCore;
using Xde::FileFormat;

namespace {

int OpenDescriptors()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

bool NoChildLeft()
{
    return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

std::string Replaced(std::string text, std::string_view from, std::string_view to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

} // namespace

TEST(XdeDamage, DamagedForeignAndMissingFilesGiveNullAndLeaveNothingBehind)
{
    const std::string step = KorrTest::SharedExchangeFile("step/occt_OCC2368.stp");
    const std::string iges = KorrTest::SharedExchangeFile("iges/occt_OCC8842_cone_CATIA.igs");
    if (step.empty() || iges.empty())
        GTEST_SKIP() << "shared data absent";
    const std::string stepText = KorrTest::ReadBytes(step), igesText = KorrTest::ReadBytes(iges);
    const std::string brep = KorrTest::ReadBytes(KORRGEOM_TEST_DATA_DIR "/cone-edge-range-mismatch.brep");
    KorrTest::TempDir dir;
    const struct {
        const char* name;
        FileFormat format;
        std::string bytes;
    } cases[] = {
        // The kernel's translator dereferences the missing loop and crashes.
        {"bound-without-loop.stp", FileFormat::Step,
         Replaced(stepText, "FACE_OUTER_BOUND( '', #123, .T. )", "FACE_OUTER_BOUND( '', .T. )")},
        // The kernel would translate these into a solid without one face, and
        // into the three faces without their terminate record.
        {"shell-with-missing-face.stp", FileFormat::Step,
         Replaced(stepText, "CLOSED_SHELL( '', ( #48,", "CLOSED_SHELL( '', ( #999999,")},
        {"cut-short.igs", FileFormat::Iges, igesText.substr(0, igesText.size() * 9 / 10)},
        {"half.stp", FileFormat::Step, stepText.substr(0, stepText.size() / 2)},
        {"brep.stp", FileFormat::Step, brep},
        {"brep.igs", FileFormat::Iges, brep},
        {"empty.stp", FileFormat::Step, ""},
    };
    const int descriptors = OpenDescriptors();
    for (const auto& damaged : cases) {
        KorrTest::WriteBytes(dir.file(damaged.name), damaged.bytes);
        EXPECT_FALSE(Xde::ReadInWorker(damaged.format, dir.file(damaged.name), {})) << damaged.name;
    }
    EXPECT_FALSE(Xde::ReadInWorker(FileFormat::Step, dir.file("."), {})) << "a directory";
    EXPECT_FALSE(Xde::ReadInWorker(FileFormat::Step, dir.file("missing.stp"), {}));
    EXPECT_EQ(OpenDescriptors(), descriptors);
    EXPECT_TRUE(NoChildLeft());
    EXPECT_EQ(dir.entryCount(), std::size(cases));
}

TEST(XdeDamage, CancellationTheTimeLimitAndAFailingCallbackStopTheWorkerAtOnce)
{
    const std::string path = KorrTest::SharedExchangeFile("step/occt_trj7_as1-hc-214.stp");
    if (path.empty())
        GTEST_SKIP() << "shared data absent";
    std::vector<std::string> steps;
    Xde::WorkerOptions watched;
    watched.progress = [&](std::string_view step, int percent) {
        if (percent < 0)
            steps.emplace_back(step);
    };
    ASSERT_TRUE(Xde::ReadInWorker(FileFormat::Step, path, watched));
    EXPECT_EQ(steps, (std::vector<std::string>{"read", "convert", "send", "done"}));

    Xde::WorkerOptions cancelled;
    int polls = 0;
    cancelled.cancelled = [&] { return ++polls > 0; };
    Xde::WorkerOptions hurried;
    hurried.timeLimit = std::chrono::milliseconds(1);
    Xde::WorkerOptions throwing;
    throwing.progress = [](std::string_view, int) { throw std::runtime_error("host callback failed"); };
    const int descriptors = OpenDescriptors();
    for (const Xde::WorkerOptions* options : {&cancelled, &hurried, &throwing}) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(Xde::ReadInWorker(FileFormat::Step, path, *options));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    }
    EXPECT_EQ(polls, 1);
    EXPECT_EQ(OpenDescriptors(), descriptors);
    EXPECT_TRUE(NoChildLeft());
}
