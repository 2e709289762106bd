#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include <csignal>

#include "FileFormats/ExchangeChecks.h"
#include "support/Checks.h"

// Shapes saved as STEP and IGES through the file services and loaded back,
// and saves that fail or are cancelled.

using namespace KorrCore;

namespace {

// Only what IGES carries: no products, so no assembly uses and no names of
// them.
KorrTest::AttributeCensus IgesPart(KorrTest::AttributeCensus census)
{
    census.products.clear();
    for (auto colour = census.colours.begin(); colour != census.colours.end();)
        colour = colour->first.rfind("COMPOUND", 0) == 0 ? census.colours.erase(colour) : std::next(colour);
    return census;
}

// What a host built, named and coloured: an assembly "pair" of two uses
// ("block use") of one part "block", the second use red; and a part "plate",
// green with one blue face.
ShapeList HostShapes()
{
    using KMath::Vector3;
    const ShapePtr block = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(1, 2, 3));
    const ShapePtr pair = KBrepTools::MakeCompound({block, KFeatureTools::Translate(block, Vector3(5, 0, 0))});
    EXPECT_TRUE(KShapeAttributes::SetProductName(pair, pair, L"pair"));
    for (const TopoDS_Shape& use : KorrTest::Children(pair)) {
        EXPECT_TRUE(KShapeAttributes::SetProductName(pair, KorrTest::Holding(use), L"block"));
        EXPECT_TRUE(KShapeAttributes::SetName(pair, KorrTest::Holding(use), L"block use"));
    }
    EXPECT_TRUE(KShapeAttributes::SetColor(pair, KorrTest::Holding(KorrTest::Children(pair).back()), {1, 0, 0}));

    const ShapePtr plate = KBrepTools::MakeBox(Vector3(10, 0, 0), Vector3::UNIT_Z, Vector3(4, 4, 1));
    EXPECT_TRUE(KShapeAttributes::SetProductName(plate, plate, L"plate"));
    EXPECT_TRUE(KShapeAttributes::SetColor(plate, plate, {0, 1, 0}));
    EXPECT_TRUE(KShapeAttributes::SetColor(plate, KorrTest::FacesOf(plate).front(), {0, 0, 1}));
    return {pair, nullptr, plate};
}

} // namespace

TEST(ExchangeWriting, TheAs1AssemblyLoadsBackWithItsStructureNamesAndColours)
{
    const std::string path = KorrTest::SharedExchangeFile("step/occt_trj6_as1-ug-214.stp");
    if (path.empty())
        GTEST_SKIP() << "shared data absent";
    const ShapePtr loaded = KorrTest::LoadExchangeFile(path);
    ASSERT_TRUE(loaded);
    KorrTest::TempDir dir;

    KStepFileService().SaveFile({loaded}, KorrTest::Wide(dir.file("as1.stp")));
    const ShapePtr step = KorrTest::LoadExchangeFile(dir.file("as1.stp"));
    EXPECT_EQ(KorrTest::SolidAndFaceUses(step), KorrTest::SolidAndFaceUses(loaded));
    EXPECT_EQ(KorrTest::CensusOf(step), KorrTest::CensusOf(loaded));
    EXPECT_EQ(KorrTest::Children(step).size(), KorrTest::Children(loaded).size());

    KIgesFileService().SaveFile({loaded}, KorrTest::Wide(dir.file("as1.igs")));
    const ShapePtr iges = KorrTest::LoadExchangeFile(dir.file("as1.igs"));
    EXPECT_EQ(KorrTest::SolidAndFaceUses(iges), KorrTest::SolidAndFaceUses(loaded));
    KorrTest::AttributeCensus expected = IgesPart(KorrTest::CensusOf(loaded));
    for (const char* assemblyUse : {"LB_ASSEM", "NBA1", "NBA2", "NBA3", "ROD_ASSEM"})
        expected.names.erase(assemblyUse);
    EXPECT_EQ(IgesPart(KorrTest::CensusOf(iges)), expected);
    EXPECT_EQ(dir.entryCount(), 2u);
}

TEST(ExchangeWriting, ShapesAHostNamedAndColouredLoadBackAsTheyWereSaved)
{
    KorrTest::ReportRecorder recorder;
    KorrTest::TempDir dir;
    KStepFileService().SaveFile(HostShapes(), KorrTest::Wide(dir.file("host.stp")));
    EXPECT_EQ(recorder.messages(), std::vector<std::string>{"NULL TopoShape!"});
    const ShapePtr step = KorrTest::LoadExchangeFile(dir.file("host.stp"));
    EXPECT_EQ(KorrTest::SolidAndFaceUses(step), std::make_pair(3, 18));
    EXPECT_TRUE(KorrTest::BoundsNear(step, KMath::Vector3(0, 0, 0), KMath::Vector3(14, 4, 3), 1e-6));
    const std::map<std::string, int> colours{{"SOLID 1.00,0.00,0.00", 1},
                                             {"FACE 1.00,0.00,0.00", 6},
                                             {"SOLID 0.00,1.00,0.00", 1},
                                             {"FACE 0.00,1.00,0.00", 5},
                                             {"FACE 0.00,0.00,1.00", 1}};
    EXPECT_EQ(KorrTest::CensusOf(step),
              (KorrTest::AttributeCensus{{{"pair", 1}, {"block", 2}, {"plate", 1}}, {{"block use", 2}}, colours}));
}

TEST(ExchangeWriting, AFailedOrCancelledSaveKeepsTheOldFileByteForByte)
{
    KorrTest::ReportRecorder recorder;
    KorrTest::TempDir dir;
    const std::string target = dir.file("kept.stp");
    KStepFileService service;
    service.SaveFile(HostShapes(), KorrTest::Wide(target));
    const std::string before = KorrTest::ReadBytes(target);
    ASSERT_FALSE(before.empty());

    struct Cancelling : KProgressIndicator {
        bool IsCancelled() override { return true; }
    } cancelling;
    const ShapeList box{KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, KMath::Vector3(1, 1, 1))};
    const KorrTest::NothingLeftBehind check(dir.path());
    service.SetTimeLimit(std::chrono::milliseconds(1));
    service.SaveFile(box, KorrTest::Wide(target));
    service.SetTimeLimit(std::chrono::minutes(1));
    KIgesFileService().SaveFile({nullptr}, KorrTest::Wide(target));
    service.SetProgressIndicator(&cancelling);
    service.SaveFile(box, KorrTest::Wide(target));
    EXPECT_EQ(recorder.messages(), (std::vector<std::string>{"NULL TopoShape!", "Failed to save file!",
                                                             "NULL TopoShape!", "Failed to save file!"}));
    EXPECT_EQ(KorrTest::ReadBytes(target), before);
    EXPECT_TRUE(check.Check());
}

// Such a host takes every worker's exit status before the library can.
TEST(ExchangeWriting, AHostThatIgnoresItsChildrenStillSavesAndLoads)
{
    const ShapePtr box = KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, KMath::Vector3(1, 2, 3));
    KorrTest::TempDir dir;
    KorrTest::ReportRecorder recorder;
    const auto previous = std::signal(SIGCHLD, SIG_IGN);
    KIgesFileService().SaveFile({box}, KorrTest::Wide(dir.file("box.igs")));
    const ShapePtr read = KorrTest::LoadExchangeFile(dir.file("box.igs"));
    std::signal(SIGCHLD, previous);
    EXPECT_EQ(recorder.count(), 0u);
    EXPECT_EQ(KorrTest::SolidAndFaceUses(read), std::make_pair(1, 6));
}
