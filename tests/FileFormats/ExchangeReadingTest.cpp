#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

#include "FileFormats/ExchangeChecks.h"

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

std::string Lower(std::wstring text)
{
    std::string lower = KStringUtil::w2a(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

class SharedExchangeFiles : public ::testing::TestWithParam<SharedFile> {};

} // namespace

TEST_P(SharedExchangeFiles, LoadWithTheKernelsSolidAndFaceUsesAndMesh)
{
    KORRTEST_SHARED_FILE(path, GetParam().name);
    const ShapePtr shape = KorrTest::LoadExchangeFile(path);
    EXPECT_EQ(KorrTest::SolidAndFaceUses(shape), std::make_pair(GetParam().solids, GetParam().faces));
    KShapeMesh mesh;
    ASSERT_TRUE(KShapeMesher::Mesh(shape, KMeshOptions(), mesh));
    EXPECT_GT(KorrTest::Placed(mesh).indices.size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(All, SharedExchangeFiles, ::testing::ValuesIn(kSharedFiles), [](const auto& info) {
    std::string name = std::filesystem::path(info.param.name).stem().string();
    std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
    return name;
});

// The same assembly written by two systems (one names its products in capitals).
class As1Assembly : public ::testing::TestWithParam<const char*> {};

// Its tree of products and uses, with their names, is checked against the
// kernel's with the other files' (AssemblyTree).
TEST_P(As1Assembly, KeepsItsNamesAndColoursWithEachRepeatedPartOneShape)
{
    KORRTEST_SHARED_FILE(path, GetParam());
    const ShapePtr shape = KorrTest::LoadExchangeFile(path);
    ASSERT_TRUE(KorrTest::HasKind(shape, TopoCompound));

    const std::map<std::string, KColor> colours{
        {"plate", {0, 0, 1}}, {"l_bracket", {0, 1, 0}}, {"bolt", {1, 0, 0}}, {"nut", {0, 1, 0}}, {"rod", {1, 0, 0}}};
    std::map<std::string, std::set<const TopoDS_TShape*>> partShapes;
    TopTools_IndexedMapOfShape solids;
    TopExp::MapShapes(KorrTest::Kernel(shape), TopAbs_SOLID, solids);
    for (int i = 1; i <= solids.Extent(); ++i) {
        const ShapePtr solid = KorrTest::Holding(solids(i));
        const std::string product = Lower(KShapeAttributes::GetProductName(shape, solid));
        partShapes[product].insert(solids(i).TShape().get());
        // Each face shows its part's colour.
        for (const ShapePtr& face : KorrTest::FacesOf(solid)) {
            KColor colour;
            EXPECT_TRUE(KShapeAttributes::GetColor(shape, face, colour) && colour == colours.at(product)) << product;
        }
    }
    for (const auto& [product, shapes] : partShapes)
        EXPECT_EQ(shapes.size(), 1u) << product << " uses share one shape";
}

INSTANTIATE_TEST_SUITE_P(TwoWriters, As1Assembly,
                         ::testing::Values("step/occt_trj6_as1-ug-214.stp", "step/occt_trj7_as1-hc-214.stp"));

// The kernel reads fixed-format records that end in "\r\n" or "\r", or follow
// each other without line ends; the section check takes them too, and still
// refuses them cut short, in the parameter section or the terminate record.
TEST(ExchangeReading, IgesRecordsLoadAlikeWithAnyLineEndsOrNoneAndCutOnesAreRefused)
{
    KorrTest::TempDir dir;
    const std::string written = dir.file("written.igs");
    KIgesFileService().SaveFile({KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, {1, 2, 3})},
                                KorrTest::Wide(written));
    const ShapePtr original = KorrTest::LoadExchangeFile(written);
    ASSERT_TRUE(original);
    std::map<std::string, std::string> forms;
    for (const char c : KorrTest::ReadBytes(written)) {
        forms["none.igs"] += c == '\n' ? "" : std::string(1, c);
        forms["crlf.igs"] += c == '\n' ? "\r\n" : std::string(1, c);
        forms["cr.igs"] += c == '\n' ? '\r' : c;
    }
    for (const auto& [name, bytes] : forms) {
        KorrTest::WriteBytes(dir.file(name), bytes);
        KorrTest::WriteBytes(dir.file("cut-in-p-" + name), bytes.substr(0, bytes.size() * 9 / 10));
        KorrTest::WriteBytes(dir.file("cut-in-t-" + name), bytes.substr(0, bytes.size() - 10));
        const ShapePtr loaded = KorrTest::LoadExchangeFile(dir.file(name));
        EXPECT_EQ(KorrTest::SolidAndFaceUses(loaded), KorrTest::SolidAndFaceUses(original)) << name;
        EXPECT_NEAR(KorrTest::Size(loaded), KorrTest::Size(original), 1e-9) << name;
        EXPECT_FALSE(KorrTest::LoadExchangeFile(dir.file("cut-in-p-" + name))) << name;
        EXPECT_FALSE(KorrTest::LoadExchangeFile(dir.file("cut-in-t-" + name))) << name;
    }
}
