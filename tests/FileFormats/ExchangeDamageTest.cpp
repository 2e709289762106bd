#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string_view>

#include "FileFormats/ExchangeChecks.h"
#include "support/Checks.h"

// Files the kernel's translators cannot take, and loads stopped on the way:
// each gives null promptly and leaves no descriptor, process or file behind.

using namespace KorrCore;

namespace {

std::string Replaced(std::string text, std::string_view from, std::string_view to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// Asks to stop at its `stopAt`-th question, or throws from its first report.
class Stopping : public KProgressIndicator {
public:
    explicit Stopping(int stopAt, bool throws = false) : stopAt(stopAt), throws(throws) {}
    void OnProgress(double) override
    {
        if (throws)
            throw std::runtime_error("host callback failed");
    }
    bool IsCancelled() override { return ++asked >= stopAt; }
    int asked = 0;

private:
    int stopAt;
    bool throws;
};

} // namespace

TEST(ExchangeDamage, DamagedCutForeignAndMissingFilesGiveNullAndLeaveNothingBehind)
{
    const std::string step = KorrTest::SharedExchangeFile("step/occt_OCC2368.stp");
    const std::string iges = KorrTest::SharedExchangeFile("iges/occt_OCC8842_cone_CATIA.igs");
    if (step.empty() || iges.empty())
        GTEST_SKIP() << "shared data absent";
    const std::string stepText = KorrTest::ReadBytes(step), igesText = KorrTest::ReadBytes(iges);
    KorrTest::TempDir dir;
    const std::pair<const char*, std::string> cases[] = {
        // The kernel's translator dereferences the missing loop and crashes.
        {"bound-without-loop.stp",
         Replaced(stepText, "FACE_OUTER_BOUND( '', #123, .T. )", "FACE_OUTER_BOUND( '', .T. )")},
        // The kernel would translate these into a solid without one face, and
        // into the three faces without their terminate record.
        {"shell-with-missing-face.stp", Replaced(stepText, "CLOSED_SHELL( '', ( #48,", "CLOSED_SHELL( '', ( #999999,")},
        {"cut-short.igs", igesText.substr(0, igesText.size() * 9 / 10)},
        {"iges.stp", igesText},
        {"step.igs", stepText},
        {"brep.stp", KorrTest::ReadBytes(KORRGEOM_TEST_DATA_DIR "/cone-edge-range-mismatch.brep")},
        {"empty.stp", ""},
    };
    for (const auto& [name, bytes] : cases)
        KorrTest::WriteBytes(dir.file(name), bytes);
    const KorrTest::NothingLeftBehind check(dir.path());
    for (const auto& [name, bytes] : cases)
        EXPECT_FALSE(KorrTest::LoadExchangeFile(dir.file(name))) << name;
    EXPECT_FALSE(KStepFileService().LoadFile(KorrTest::Wide(dir.path()))) << "a directory";
    EXPECT_FALSE(KIgesFileService().LoadFile(KorrTest::Wide(dir.file("missing.igs"))));
    EXPECT_TRUE(check.Check());
}

TEST(ExchangeDamage, EverySharedFileCutInHalfGivesNull)
{
    if (KorrTest::SharedExchangeFile("step").empty())
        GTEST_SKIP() << "shared data absent";
    KorrTest::TempDir dir;
    for (const char* folder : {"step", "iges"}) {
        for (const auto& entry : std::filesystem::directory_iterator(KorrTest::SharedExchangeFile(folder))) {
            if (entry.path().extension() == ".md")
                continue;
            const std::string bytes = KorrTest::ReadBytes(entry.path());
            const std::string cut = dir.file(entry.path().filename());
            KorrTest::WriteBytes(cut, bytes.substr(0, bytes.size() / 2));
            EXPECT_FALSE(KorrTest::LoadExchangeFile(cut)) << cut;
        }
    }
}

TEST(ExchangeDamage, CancellingAFailingIndicatorAndTheTimeLimitStopTheLoadAtOnceAndItIsNotCached)
{
    const std::string path = KorrTest::SharedExchangeFile("step/occt_trj7_as1-hc-214.stp");
    if (path.empty())
        GTEST_SKIP() << "shared data absent";
    KorrTest::TempDir dir;
    const KorrTest::NothingLeftBehind check(dir.path());
    Stopping atOnce(1), whileWorking(2), throwing(1000, true);
    for (Stopping* indicator : {&atOnce, &whileWorking, &throwing}) {
        KStepFileService service;
        service.SetProgressIndicator(indicator);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(service.LoadFile(KorrTest::Wide(path)));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        service.SetProgressIndicator(nullptr);
        EXPECT_TRUE(service.LoadFile(KorrTest::Wide(path))) << "the cancelled load was cached";
    }
    // Before the worker starts, and while it runs.
    EXPECT_EQ(atOnce.asked, 1);
    EXPECT_EQ(whileWorking.asked, 2);

    KStepFileService hurried;
    hurried.SetTimeLimit(std::chrono::milliseconds(1));
    EXPECT_FALSE(hurried.LoadFile(KorrTest::Wide(path)));
    EXPECT_TRUE(check.Check());
}
