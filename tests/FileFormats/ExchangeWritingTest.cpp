#include <csignal>

#include "FileFormats/ExchangeChecks.h"

// Shapes saved as STEP and IGES through the file services and loaded back,
// and saves that fail or are cancelled.

using namespace KorrCore;
using KorrTest::CensusOf;
using KorrTest::SolidAndFaceUses;
using KorrTest::Wide;

namespace {

// What IGES carries: no products, so no assembly uses and no colours of them.
std::pair<KorrTest::Counts, KorrTest::Counts> IgesPart(const KorrTest::AttributeCensus& census)
{
    auto [products, names, colours] = census;
    colours.erase(colours.lower_bound("COMPOUND "), colours.upper_bound("COMPOUND ~"));
    return {names, colours};
}

// What a host built, named and coloured: an assembly "pair" of two uses
// ("block use") of one part "block", the second use red; and a part "plate",
// green with one blue face.
ShapeList HostShapes()
{
    using KMath::Vector3;
    const ShapePtr block = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(1, 2, 3));
    const ShapePtr pair = KBrepTools::MakeCompound({block, KFeatureTools::Translate(block, Vector3(5, 0, 0))});
    KShapeAttributes::SetProductName(pair, pair, L"pair");
    for (const TopoDS_Shape& use : KorrTest::Children(pair)) {
        KShapeAttributes::SetProductName(pair, KorrTest::Holding(use), L"block");
        KShapeAttributes::SetName(pair, KorrTest::Holding(use), L"block use");
    }
    KShapeAttributes::SetColor(pair, KorrTest::Holding(KorrTest::Children(pair).back()), {1, 0, 0});
    const ShapePtr plate = KBrepTools::MakeBox(Vector3(10, 0, 0), Vector3::UNIT_Z, Vector3(4, 4, 1));
    KShapeAttributes::SetProductName(plate, plate, L"plate");
    KShapeAttributes::SetColor(plate, plate, {0, 1, 0});
    KShapeAttributes::SetColor(plate, KorrTest::FacesOf(plate).front(), {0, 0, 1});
    return {pair, nullptr, plate};
}

} // namespace

TEST(ExchangeWriting, TheAs1AssemblyLoadsBackWithItsStructureNamesAndColours)
{
    KORRTEST_SHARED_FILE(path, "step/occt_trj6_as1-ug-214.stp");
    const ShapePtr loaded = KorrTest::LoadExchangeFile(path);
    ASSERT_TRUE(loaded);
    KorrTest::TempDir dir;

    KStepFileService().SaveFile({loaded}, Wide(dir.file("as1.stp")));
    const ShapePtr step = KorrTest::LoadExchangeFile(dir.file("as1.stp"));
    EXPECT_EQ(SolidAndFaceUses(step), SolidAndFaceUses(loaded));
    EXPECT_EQ(CensusOf(step), CensusOf(loaded));

    KIgesFileService().SaveFile({loaded}, Wide(dir.file("as1.igs")));
    const ShapePtr iges = KorrTest::LoadExchangeFile(dir.file("as1.igs"));
    EXPECT_EQ(SolidAndFaceUses(iges), SolidAndFaceUses(loaded));
    auto expected = IgesPart(CensusOf(loaded));
    for (const char* assemblyUse : {"LB_ASSEM", "NBA1", "NBA2", "NBA3", "ROD_ASSEM"})
        expected.first.erase(assemblyUse);
    EXPECT_EQ(IgesPart(CensusOf(iges)), expected);
    EXPECT_EQ(dir.entryCount(), 2u);
}

// Under a host that ignores its children, which takes every worker's exit
// status before the library can. A later save that fails, runs out of time or
// is cancelled keeps the file byte for byte.
TEST(ExchangeWriting, ShapesAHostNamedAndColouredLoadBackAsSavedAndFailedSavesKeepTheFile)
{
    KorrTest::ReportRecorder recorder;
    KorrTest::TempDir dir;
    const std::string target = dir.file("host.stp");
    KStepFileService service;
    KorrTest::RecordingHost finished;
    service.SetProgressIndicator(&finished);
    const auto previous = std::signal(SIGCHLD, SIG_IGN);
    service.SaveFile(HostShapes(), Wide(target));
    EXPECT_EQ(finished.fractions.back(), 1.0) << "the host hears the save end";
    const ShapePtr step = KorrTest::LoadExchangeFile(target);
    std::signal(SIGCHLD, previous);
    EXPECT_EQ(SolidAndFaceUses(step), std::make_pair(3, 18));
    EXPECT_TRUE(KorrTest::BoundsNear(step, KMath::Vector3(0, 0, 0), KMath::Vector3(14, 4, 3), 1e-6));
    EXPECT_EQ(CensusOf(step), (KorrTest::AttributeCensus{{{"pair", 1}, {"block", 2}, {"plate", 1}},
                                                         {{"block use", 2}},
                                                         {{"SOLID 1.00,0.00,0.00", 1},
                                                          {"FACE 1.00,0.00,0.00", 6},
                                                          {"SOLID 0.00,1.00,0.00", 1},
                                                          {"FACE 0.00,1.00,0.00", 5},
                                                          {"FACE 0.00,0.00,1.00", 1}}}));

    const std::string before = KorrTest::ReadBytes(target);
    KorrTest::RecordingHost cancelling(1);
    const ShapeList box{KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, KMath::Vector3(1, 1, 1))};
    const KorrTest::NothingLeftBehind check(dir);
    service.SetTimeLimit(std::chrono::milliseconds(1));
    service.SaveFile(box, Wide(target));
    service.SetTimeLimit(std::chrono::minutes(1));
    KIgesFileService().SaveFile({nullptr}, Wide(target));
    service.SetProgressIndicator(&cancelling);
    service.SaveFile(box, Wide(target));
    EXPECT_EQ(recorder.messages(), (std::vector<std::string>{"NULL TopoShape!", "Failed to save file!",
                                                             "NULL TopoShape!", "Failed to save file!"}));
    EXPECT_EQ(KorrTest::ReadBytes(target), before);
    EXPECT_TRUE(check.Check());
}
