#include <KorrGeomCore/Service/KFileBatch.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <set>
#include <thread>

#include "FileFormats/ExchangeChecks.h"

// Many files loading at once: each ends as it would alone, and a file that
// fails, however it fails, fails alone.

using namespace KorrCore;

namespace {

std::vector<std::wstring> Wide(const std::vector<std::string>& paths)
{
    std::vector<std::wstring> wide;
    for (const std::string& path : paths)
        wide.push_back(KorrTest::Wide(path));
    return wide;
}

} // namespace

// Differential: the batch's shapes and outcomes are those of loads one by one.
TEST(FileBatch, DamagedAndMissingFilesFailAloneAndTheRestLoadAsOneByOne)
{
    const std::string as1 = KorrTest::SharedExchangeFile("step/occt_trj6_as1-ug-214.stp");
    const std::string cone = KorrTest::SharedExchangeFile("iges/occt_OCC8842_cone_CATIA.igs");
    const std::string torus = KorrTest::SharedExchangeFile("iges/occt_OCC26138_Torus.igs");
    KORRTEST_SKIP_IF_ABSENT(as1.empty() || cone.empty() || torus.empty());
    KorrTest::TempDir dir;
    const std::string as1Text = KorrTest::ReadBytes(as1);
    KorrTest::WriteBytes(dir.file("cut.stp"), as1Text.substr(0, as1Text.size() / 2));
    KorrTest::WriteBytes(dir.file("png.igs"), std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    ASSERT_TRUE(KBrepTools::SaveBrepFile(KBrepTools::MakeSphere(KMath::Vector3::ZERO, 5),
                                         KorrTest::Wide(dir.file("ball.brep")), nullptr));
    const std::vector<std::string> paths = {as1,
                                            dir.file("cut.stp"),
                                            cone,
                                            dir.file("missing.stp"),
                                            torus,
                                            dir.file("png.igs"),
                                            dir.file("ball.brep"),
                                            dir.file("part.obj")};
    const KorrTest::NothingLeftBehind check(dir);
    KorrTest::RecordingHost progress;
    KBatchOptions options;
    options.Progress = &progress;
    const std::vector<KBatchFile> batch = KFileBatch::LoadFiles(Wide(paths), options);
    ASSERT_EQ(batch.size(), paths.size());
    // The last two are not for the exchange services.
    for (std::size_t i = 0; i + 2 < paths.size(); ++i) {
        const ShapePtr alone = KorrTest::LoadExchangeFile(paths[i]);
        const KOutcomeCode aloneCode = KLastOutcome().Code;
        EXPECT_EQ(batch[i].Path, KorrTest::Wide(paths[i]));
        EXPECT_EQ(batch[i].Outcome.Code, aloneCode) << paths[i] << ": " << batch[i].Outcome.Message;
        EXPECT_EQ(static_cast<bool>(batch[i].Shape), static_cast<bool>(alone)) << paths[i];
        if (alone && batch[i].Shape) {
            EXPECT_EQ(KorrTest::SolidAndFaceUses(batch[i].Shape), KorrTest::SolidAndFaceUses(alone)) << paths[i];
        }
    }
    EXPECT_TRUE(batch[paths.size() - 2].Shape) << "the BRep file";
    EXPECT_EQ(batch.back().Outcome.Code, KOutcomeCode::FileForeign);
    ASSERT_FALSE(progress.fractions.empty());
    EXPECT_TRUE(std::is_sorted(progress.fractions.begin(), progress.fractions.end()));
    EXPECT_EQ(progress.fractions.back(), 1.0);
    EXPECT_TRUE(check.Check());
}

// A worker that hangs runs into the time limit, one killed is a translator
// failure; neither touches the files on the other workers, and a handler
// sees every file, on the thread that loaded it.
TEST(FileBatch, AHungAndAKilledWorkerFailOnlyTheirFiles)
{
    const std::string as1 = KorrTest::SharedExchangeFile("step/occt_trj6_as1-ug-214.stp");
    const std::string torus = KorrTest::SharedExchangeFile("iges/occt_OCC26138_Torus.igs");
    KORRTEST_SKIP_IF_ABSENT(as1.empty() || torus.empty());
    KorrTest::TempDir dir;
    for (const char* name : {"stop-me.stp", "kill-me.stp"})
        KorrTest::WriteBytes(dir.file(name), KorrTest::ReadBytes(as1));
    const std::vector<std::string> paths = {as1, dir.file("stop-me.stp"), torus, dir.file("kill-me.stp"), as1, torus};
    const KorrTest::NothingLeftBehind check(dir);
    KBatchOptions options;
    options.Workers = 2;
    // Far beyond what a small file takes, however busy the machine.
    options.TimeLimit = std::chrono::seconds(4);
    std::vector<std::thread::id> handledOn(paths.size());
    std::vector<KOutcomeCode> handledCodes(paths.size());
    int stopped = 0, killed = 0;
    std::thread stopping([&] { stopped = KorrTest::StopReaderOf(dir.file("stop-me.stp")); });
    std::thread killing([&] { killed = KorrTest::StopReaderOf(dir.file("kill-me.stp"), SIGKILL); });
    const std::vector<KBatchFile> batch =
        KFileBatch::LoadFiles(Wide(paths), options, [&](std::size_t i, const KBatchFile& file) {
            handledOn[i] = std::this_thread::get_id();
            handledCodes[i] = file.Outcome.Code;
        });
    stopping.join();
    killing.join();
    ASSERT_NE(stopped, 0) << "the hung worker was never seen";
    ASSERT_NE(killed, 0) << "the killed worker was never seen";
    const std::vector<KOutcomeCode> expected = {KOutcomeCode::Ok, KOutcomeCode::TimedOut,
                                                KOutcomeCode::Ok, KOutcomeCode::TranslatorFailed,
                                                KOutcomeCode::Ok, KOutcomeCode::Ok};
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(batch[i].Outcome.Code, expected[i]) << paths[i] << ": " << batch[i].Outcome.Message;
        EXPECT_EQ(handledCodes[i], expected[i]) << paths[i];
        EXPECT_FALSE(batch[i].Shape) << "kept after the handler had it";
    }
    EXPECT_EQ(std::set<std::thread::id>(handledOn.begin(), handledOn.end()).size(), 2u);
    EXPECT_TRUE(check.Check());
}
