#include <KorrGeomCore/KorrGeomCore.h>

#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

#include "FileFormats/ExchangeChecks.h"
#include "support/Checks.h"

// STEP and IGES files loaded through the file services: the shared real files
// as the kernel's own XCAF reader reads them, and the as1 assembly's
// structure, names and colours as a host sees them.

using namespace KorrCore;

namespace {

struct SharedFile {
    const char* name;
    int solids, faces;
};

// The counts the kernel's XCAF reader gives (see the shared data's notes).
const SharedFile kSharedFiles[] = {
    {"step/occt_OCC2368.stp", 1, 18},           {"step/occt_PRO7071.stp", 4, 15},
    {"step/occt_PRO10363.stp", 4, 15},          {"step/occt_bm2_pe_t4-A.stp", 0, 9},
    {"step/occt_OCC22459-TEST2.stp", 0, 8},     {"step/occt_trj12_is1-oc-214.stp", 5, 30},
    {"step/occt_trj6_as1-ug-214.stp", 18, 125}, {"step/occt_trj7_as1-hc-214.stp", 18, 125},
    {"iges/occt_OCC8842_cone_CATIA.igs", 0, 3}, {"iges/occt_OCC26138_Torus.igs", 0, 1},
    {"iges/occt_PRO20360-T3.igs", 0, 1},
};

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string TestName(const std::string& path)
{
    std::string name = std::filesystem::path(path).stem().string();
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
    return name;
}

class SharedExchangeFiles : public ::testing::TestWithParam<SharedFile> {};

} // namespace

TEST_P(SharedExchangeFiles, LoadWithTheKernelsSolidAndFaceUsesAndMesh)
{
    const std::string path = KorrTest::SharedExchangeFile(GetParam().name);
    if (path.empty())
        GTEST_SKIP() << "shared data absent";
    const ShapePtr shape = KorrTest::LoadExchangeFile(path);
    ASSERT_TRUE(shape);
    EXPECT_EQ(KorrTest::SolidAndFaceUses(shape), std::make_pair(GetParam().solids, GetParam().faces));
    KShapeMesh mesh;
    ASSERT_TRUE(KShapeMesher::Mesh(shape, KMeshOptions(), mesh));
    EXPECT_GT(KorrTest::Placed(mesh).indices.size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(All, SharedExchangeFiles, ::testing::ValuesIn(kSharedFiles),
                         [](const auto& info) { return TestName(info.param.name); });

// The same assembly written by two systems (one names its products in capitals).
class As1Assembly : public ::testing::TestWithParam<const char*> {};

TEST_P(As1Assembly, KeepsItsProductsNamesAndColoursWithEachRepeatedPartOneShape)
{
    const std::string path = KorrTest::SharedExchangeFile(GetParam());
    if (path.empty())
        GTEST_SKIP() << "shared data absent";
    const ShapePtr shape = KorrTest::LoadExchangeFile(path);
    ASSERT_TRUE(KorrTest::HasKind(shape, TopoCompound));

    const std::string root = Lower(KStringUtil::w2a(KShapeAttributes::GetProductName(shape, shape)));
    EXPECT_EQ(root.rfind("as1", 0), 0u) << root;
    std::map<std::string, int> products;
    for (const auto& [product, uses] : KorrTest::CensusOf(shape).products)
        if (Lower(product) != root)
            products[Lower(product)] += uses;
    EXPECT_EQ(products, (std::map<std::string, int>{{"bolt", 6},
                                                    {"l_bracket", 2},
                                                    {"lb_assem", 2},
                                                    {"nba", 6},
                                                    {"nut", 8},
                                                    {"plate", 1},
                                                    {"rod", 1},
                                                    {"rod_assem", 1}}));

    const std::map<std::string, KColor> colours{
        {"plate", {0, 0, 1}}, {"l_bracket", {0, 1, 0}}, {"bolt", {1, 0, 0}}, {"nut", {0, 1, 0}}, {"rod", {1, 0, 0}}};
    std::map<std::string, std::set<const TopoDS_TShape*>> partShapes;
    TopTools_IndexedMapOfShape solids;
    TopExp::MapShapes(KorrTest::Kernel(shape), TopAbs_SOLID, solids);
    for (int i = 1; i <= solids.Extent(); ++i) {
        const ShapePtr solid = KorrTest::Holding(solids(i));
        const std::string product = Lower(KStringUtil::w2a(KShapeAttributes::GetProductName(shape, solid)));
        partShapes[product].insert(solids(i).TShape().get());
        // Both systems name each use after its part ("NUT", "NUT1", ...).
        EXPECT_EQ(Lower(KStringUtil::w2a(KShapeAttributes::GetName(shape, solid))).rfind(product, 0), 0u);
        // Each face shows its part's colour.
        for (const ShapePtr& face : KorrTest::FacesOf(solid)) {
            KColor colour;
            ASSERT_TRUE(KShapeAttributes::GetColor(shape, face, colour)) << product;
            EXPECT_EQ(colour, colours.at(product)) << product;
        }
    }
    for (const auto& [product, shapes] : partShapes)
        EXPECT_EQ(shapes.size(), 1u) << product << " uses share one shape";
}

INSTANTIATE_TEST_SUITE_P(TwoWriters, As1Assembly,
                         ::testing::Values("step/occt_trj6_as1-ug-214.stp", "step/occt_trj7_as1-hc-214.stp"));

TEST(ExchangeReading, AHostHearsTheLoadGrowFromZeroToOne)
{
    const std::string path = KorrTest::SharedExchangeFile("step/occt_trj7_as1-hc-214.stp");
    if (path.empty())
        GTEST_SKIP() << "shared data absent";
    struct Recording : KProgressIndicator {
        void OnProgress(double fraction) override { fractions.push_back(fraction); }
        std::vector<double> fractions;
    } host;
    KStepFileService service;
    service.SetProgressIndicator(&host);
    ASSERT_TRUE(service.LoadFile(KorrTest::Wide(path)));
    ASSERT_GE(host.fractions.size(), 3u);
    EXPECT_EQ(host.fractions.front(), 0.0);
    EXPECT_EQ(host.fractions.back(), 1.0);
    EXPECT_TRUE(std::is_sorted(host.fractions.begin(), host.fractions.end()));
}
