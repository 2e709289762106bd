#include <KorrGeomCore/KorrGeomCore.h>

#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <set>

#include "FileFormats/ExchangeChecks.h"
#include "support/Checks.h"

// STEP and IGES files read through the translation worker: the shared real
// files as the kernel's XCAF reader reads them, the as1 assembly's structure,
// names and colours, and damaged or foreign files giving null without harm to
// this process.

using namespace KorrCore;
using Xde::FileFormat;

namespace {

struct SharedFile {
    const char* name;
    FileFormat format;
    int solids, faces;
};

// The counts the kernel's XCAF reader gives (see the shared data's notes).
const SharedFile kSharedFiles[] = {
    {"step/occt_OCC2368.stp", FileFormat::Step, 1, 18},
    {"step/occt_PRO7071.stp", FileFormat::Step, 4, 15},
    {"step/occt_PRO10363.stp", FileFormat::Step, 4, 15},
    {"step/occt_bm2_pe_t4-A.stp", FileFormat::Step, 0, 9},
    {"step/occt_OCC22459-TEST2.stp", FileFormat::Step, 0, 8},
    {"step/occt_trj12_is1-oc-214.stp", FileFormat::Step, 5, 30},
    {"step/occt_trj6_as1-ug-214.stp", FileFormat::Step, 18, 125},
    {"step/occt_trj7_as1-hc-214.stp", FileFormat::Step, 18, 125},
    {"iges/occt_OCC8842_cone_CATIA.igs", FileFormat::Iges, 0, 3},
    {"iges/occt_OCC26138_Torus.igs", FileFormat::Iges, 0, 1},
    {"iges/occt_PRO20360-T3.igs", FileFormat::Iges, 0, 1},
};

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

class SharedExchangeFiles : public ::testing::TestWithParam<SharedFile> {};

} // namespace

TEST_P(SharedExchangeFiles, ReadWithTheSolidAndFaceUsesOfTheKernelsReader)
{
    const std::string path = KorrTest::SharedExchangeFile(GetParam().name);
    if (path.empty())
        GTEST_SKIP() << "shared data absent";
    const ShapePtr shape = Xde::ReadInWorker(GetParam().format, path, {});
    ASSERT_TRUE(shape);
    EXPECT_EQ(KorrTest::SolidAndFaceUses(shape), std::make_pair(GetParam().solids, GetParam().faces));
}

INSTANTIATE_TEST_SUITE_P(All, SharedExchangeFiles, ::testing::ValuesIn(kSharedFiles),
                         [](const ::testing::TestParamInfo<SharedFile>& info) {
                             std::string name = std::filesystem::path(info.param.name).stem().string();
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
                             return name;
                         });

// The same assembly written by two systems (one names its products in capitals).
class As1Assembly : public ::testing::TestWithParam<const char*> {};

TEST_P(As1Assembly, KeepsItsProductsNamesAndColoursWithEachRepeatedPartSharedByItsUses)
{
    const std::string path = KorrTest::SharedExchangeFile(GetParam());
    if (path.empty())
        GTEST_SKIP() << "shared data absent";
    const ShapePtr shape = Xde::ReadInWorker(FileFormat::Step, path, {});
    ASSERT_TRUE(KorrTest::HasKind(shape, TopoCompound));

    const SubShapeAttributes* root = KorrTest::AttributesOf(shape, KorrTest::Kernel(shape));
    ASSERT_TRUE(root);
    EXPECT_EQ(Lower(root->product).rfind("as1-", 0), 0u);
    std::map<std::string, int> products;
    for (const auto& [product, uses] : KorrTest::CensusOf(shape).products)
        if (product != root->product)
            products[Lower(product)] += uses;
    EXPECT_EQ(products, (std::map<std::string, int>{{"bolt", 6},
                                                    {"l_bracket", 2},
                                                    {"lb_assem", 2},
                                                    {"nba", 6},
                                                    {"nut", 8},
                                                    {"plate", 1},
                                                    {"rod", 1},
                                                    {"rod_assem", 1}}));

    const std::map<std::string, ShapeColour> colours{
        {"plate", {0, 0, 1}}, {"l_bracket", {0, 1, 0}}, {"bolt", {1, 0, 0}}, {"nut", {0, 1, 0}}, {"rod", {1, 0, 0}}};
    std::map<std::string, std::set<const TopoDS_TShape*>> partShapes;
    TopTools_IndexedMapOfShape solids;
    TopExp::MapShapes(KorrTest::Kernel(shape), TopAbs_SOLID, solids);
    for (int i = 1; i <= solids.Extent(); ++i) {
        const TopoDS_Shape& solid = solids(i);
        const SubShapeAttributes* use = KorrTest::AttributesOf(shape, solid);
        ASSERT_TRUE(use && use->colour);
        const std::string product = Lower(use->product);
        partShapes[product].insert(solid.TShape().get());
        // Both systems name each use after its part ("NUT", "NUT1", ...).
        EXPECT_EQ(Lower(use->name).rfind(product, 0), 0u) << use->name;
        EXPECT_EQ(*use->colour, colours.at(product)) << product;
    }
    for (const auto& [product, shapes] : partShapes)
        EXPECT_EQ(shapes.size(), 1u) << product << " uses share one shape";
}

INSTANTIATE_TEST_SUITE_P(TwoWriters, As1Assembly,
                         ::testing::Values("step/occt_trj6_as1-ug-214.stp", "step/occt_trj7_as1-hc-214.stp"));

TEST(XdeReading, AttributesFollowTheHandleThroughInPlaceMovesButNotToAnotherShape)
{
    const std::string path = KorrTest::SharedExchangeFile("step/occt_trj6_as1-ug-214.stp");
    if (path.empty())
        GTEST_SKIP() << "shared data absent";
    const ShapePtr shape = Xde::ReadInWorker(FileFormat::Step, path, {});
    ASSERT_TRUE(shape);
    const ShapePtr copy = shape;
    ASSERT_TRUE(KFeatureTools::TranslateInplace(copy, KMath::Vector3(10, -20, 30)));
    ASSERT_TRUE(KFeatureTools::RotationInplace(copy, KMath::Quaternion(KMath::Radian(0.5), KMath::Vector3::UNIT_Z)));
    const KorrTest::AttributeCensus before = KorrTest::CensusOf(shape);
    TopTools_IndexedMapOfShape solids;
    TopExp::MapShapes(KorrTest::Kernel(shape), TopAbs_SOLID, solids);
    int found = 0;
    for (int i = 1; i <= solids.Extent(); ++i)
        found += KorrTest::AttributesOf(shape, solids(i)) != nullptr;
    EXPECT_EQ(found, 18);

    KTopoShapeImpl::SetShape(shape.get(), KorrTest::Kernel(KBrepTools::MakeSphere(KMath::Vector3::ZERO, 1)));
    EXPECT_EQ(KorrTest::CensusOf(shape), KorrTest::AttributeCensus{});
    EXPECT_NE(before, KorrTest::AttributeCensus{});
}
