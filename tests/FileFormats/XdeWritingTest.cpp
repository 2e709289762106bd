#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include <csignal>

#include "FileFormats/Xde/IsolatedWriting.h"
#include "FileFormats/ExchangeChecks.h"
#include "support/Checks.h"

// Shapes saved as STEP and IGES through the translation worker and read back.

using namespace KorrCore;
using Xde::FileFormat;

namespace {

// Only what IGES can carry: it has no products, and the kernel's writer adds
// the solids' colours to their faces.
KorrTest::AttributeCensus IgesPart(KorrTest::AttributeCensus census)
{
    census.products.clear();
    for (auto colour = census.colours.begin(); colour != census.colours.end();)
        colour = colour->first.rfind("SOLID", 0) == 0 ? std::next(colour) : census.colours.erase(colour);
    return census;
}

} // namespace

TEST(XdeWriting, TheAs1AssemblyReadsBackWithItsSolidsFacesNamesAndColours)
{
    const std::string path = KorrTest::SharedExchangeFile("step/occt_trj6_as1-ug-214.stp");
    if (path.empty())
        GTEST_SKIP() << "shared data absent";
    const ShapePtr loaded = Xde::ReadInWorker(FileFormat::Step, path, {});
    ASSERT_TRUE(loaded);
    KorrTest::TempDir dir;

    ASSERT_TRUE(Xde::WriteInWorker(FileFormat::Step, dir.file("as1.stp"), {loaded}, {}));
    const ShapePtr step = Xde::ReadInWorker(FileFormat::Step, dir.file("as1.stp"), {});
    EXPECT_EQ(KorrTest::SolidAndFaceUses(step), KorrTest::SolidAndFaceUses(loaded));
    EXPECT_EQ(KorrTest::CensusOf(step), KorrTest::CensusOf(loaded));
    EXPECT_EQ(KorrTest::Children(step).size(), KorrTest::Children(loaded).size());

    ASSERT_TRUE(Xde::WriteInWorker(FileFormat::Iges, dir.file("as1.igs"), {loaded}, {}));
    const ShapePtr iges = Xde::ReadInWorker(FileFormat::Iges, dir.file("as1.igs"), {});
    EXPECT_EQ(KorrTest::SolidAndFaceUses(iges), KorrTest::SolidAndFaceUses(loaded));
    KorrTest::AttributeCensus expected = IgesPart(KorrTest::CensusOf(loaded));
    for (const char* assemblyUse : {"LB_ASSEM", "NBA1", "NBA2", "NBA3", "ROD_ASSEM"})
        expected.names.erase(assemblyUse);
    EXPECT_EQ(IgesPart(KorrTest::CensusOf(iges)), expected);
    EXPECT_EQ(dir.entryCount(), 2u);
}

TEST(XdeWriting, SeveralShapesBecomeSeveralFreeShapesAndAFailedSaveKeepsTheOldFile)
{
    const ShapePtr box = KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, KMath::Vector3(1, 2, 3));
    const ShapePtr sphere = KBrepTools::MakeSphere(KMath::Vector3(10, 0, 0), 2);
    KorrTest::TempDir dir;
    ASSERT_TRUE(Xde::WriteInWorker(FileFormat::Step, dir.file("two.stp"), {box, nullptr, sphere}, {}));
    const ShapePtr two = Xde::ReadInWorker(FileFormat::Step, dir.file("two.stp"), {});
    EXPECT_EQ(KorrTest::SolidAndFaceUses(two), std::make_pair(2, 7));
    ASSERT_TRUE(two);
    const KMath::Vector3 low = two->GetBBox().getMinimum(), high = two->GetBBox().getMaximum();
    EXPECT_TRUE(gp_Pnt(low.x, low.y, low.z).IsEqual(gp_Pnt(0, -2, -2), 1e-6) &&
                gp_Pnt(high.x, high.y, high.z).IsEqual(gp_Pnt(12, 2, 3), 1e-6));

    const std::string before = KorrTest::ReadBytes(dir.file("two.stp"));
    Xde::WorkerOptions cancelled;
    cancelled.cancelled = [] { return true; };
    EXPECT_FALSE(Xde::WriteInWorker(FileFormat::Step, dir.file("two.stp"), {box}, cancelled));
    EXPECT_FALSE(Xde::WriteInWorker(FileFormat::Iges, dir.file("none.igs"), {nullptr}, {}));
    EXPECT_EQ(KorrTest::ReadBytes(dir.file("two.stp")), before);
    EXPECT_EQ(dir.entryCount(), 1u);
}

// Such a host takes every worker's exit status before the library can.
TEST(XdeWriting, AHostThatIgnoresItsChildrenStillSavesAndReads)
{
    const ShapePtr box = KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, KMath::Vector3(1, 2, 3));
    KorrTest::TempDir dir;
    const auto previous = std::signal(SIGCHLD, SIG_IGN);
    const bool saved = Xde::WriteInWorker(FileFormat::Iges, dir.file("box.igs"), {box}, {});
    const ShapePtr read = Xde::ReadInWorker(FileFormat::Iges, dir.file("box.igs"), {});
    std::signal(SIGCHLD, previous);
    EXPECT_TRUE(saved);
    EXPECT_EQ(KorrTest::SolidAndFaceUses(read), std::make_pair(1, 6));
}
