// The file screen lets the kernel's reader see only text it reads whole: files
// the library and the kernel write, in every format version, read exactly as
// the kernel reads them, while every cut of them, and hand-made texts with one
// defect each (tests/data/brep-screen), read as null, promptly. The kernel's
// reader alone hangs, crashes or returns part of a shape on such text.

#include "support/Checks.h"

#include "FuzzMemoryFile.h"

#include <locale>
#include <sstream>

#include "Internal/Brep/BrepFileScreen.h"

using namespace KorrCore;
using KMath::Vector3;

namespace {

ShapePtr Read(const std::string& text)
{
    static const KorrFuzz::MemoryFile file;
    return KBrepTools::ReadBrepFile(file.Holding(text), nullptr);
}

// The distinct sub-shapes of every kind: what a complete read reproduces.
std::vector<int> Counts(const TopoDS_Shape& shape)
{
    std::vector<int> counts;
    for (int kind = TopAbs_COMPOUND; kind <= TopAbs_VERTEX; ++kind)
        counts.push_back(KorrTest::CountDistinct(KorrTest::Holding(shape), static_cast<TopAbs_ShapeEnum>(kind)));
    return counts;
}

TopoDS_Shape KernelRead(const std::string& text)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    TopoDS_Shape shape;
    BRepTools::Read(shape, in, BRep_Builder());
    return shape;
}

::testing::AssertionResult ReadsAsTheKernel(const std::string& text)
{
    const ShapePtr read = Read(text);
    if (!read || Counts(KorrTest::Kernel(read)) != Counts(KernelRead(text)))
        return ::testing::AssertionFailure() << (read ? "read otherwise than the kernel reads it" : "refused");
    return ::testing::AssertionSuccess();
}

// Every cut before the end of the shape data reads as null; one after it (only
// white space and the end mark "0" the kernel's drawing tool writes follow)
// may still read, and then completely. Every byte of a small text is a cut, of
// a larger one the first and last 128 and every 97th. With any one byte of the
// text replaced, an answer comes, and a shape only as the kernel reads the text.
void ExpectEveryCutRefusedAndEveryDamageAnswered(const std::string& name, const std::string& text, bool damage)
{
    std::size_t dataEnd = text.find_last_not_of(" \t\r\n") + 1;
    if (text.compare(dataEnd - 2, 2, " 0") == 0 || text.compare(dataEnd - 2, 2, "\n0") == 0)
        dataEnd = text.find_last_not_of(" \t\r\n", dataEnd - 2) + 1;
    const std::vector<int> whole = Counts(KernelRead(text));
    for (std::size_t cut = 0, wrong = 0; cut < text.size();
         cut += text.size() <= 8192 || cut < 128 || cut + 128 >= text.size() ? 1 : 97) {
        const ShapePtr read = Read(text.substr(0, cut));
        if ((cut < dataEnd ? read != nullptr : read && Counts(KorrTest::Kernel(read)) != whole) && ++wrong <= 5)
            ADD_FAILURE() << name << " cut at " << cut << " of " << text.size() << " read wrongly";
    }
    for (std::size_t at = 0; damage && at < text.size(); ++at) {
        std::string damaged = text;
        damaged[at] = std::string("9-x .\n+e*0\x01")[at % 11];
        if (const ShapePtr read = Read(damaged)) {
            EXPECT_EQ(Counts(KorrTest::Kernel(read)), Counts(KernelRead(damaged))) << name << " damaged at " << at;
        }
    }
}

// How a host may set its global locale: numbers as French writes them, a
// comma for the decimal point and digits grouped by spaces. A stream taking it
// reads "8 0 1" as one misgrouped number.
struct FrenchNumbers : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return ' '; }
    std::string do_grouping() const override { return "\3"; }
};

} // namespace

TEST(BrepFileScreen, WrittenFilesReadAsTheKernelReadsThemInEveryFormatVersionAndNoCutDoes)
{
    const ShapePtr box = KBrepTools::MakeBox({0, 0, 0}, {0, 0, 1}, {10, 20, 30});
    const ShapePtr rod =
        KFeatureTools::Extrude(KBrepTools::MakeFace(KBrepTools::MakeCircle({5, 10, -1}, 3, {0, 0, 1})), 40, {0, 0, 1});
    std::vector<Vector3> wave{{50, 0, 0}, {55, 0, 3}, {60, 0, 0}};
    const ShapePtr meshed = KBrepTools::MakeCompound({box, KBrepTools::MakeSpline(wave.data(), 3)});
    KShapeMesh mesh;
    ASSERT_TRUE(KShapeMesher::Mesh(meshed, KMeshOptions(), mesh));
    // Shapes that between them fill every section of the format.
    const std::pair<const char*, ShapePtr> written[] = {
        {"filleted box with a hole", KFeatureTools::Boolean(KFeatureTools::Fillet(box, 2), rod, BooleanCut)},
        {"located compound",
         KBrepTools::MakeCompound(
             {KFeatureTools::Translate(KFeatureTools::Rotation(box, {0, 0, 0}, {0, 0, 1}, 90), {5, 0, 0}), box})},
        {"meshed box with a spline edge on no face", meshed},
        {"loft", KFeatureTools::MakeLoft({KBrepTools::MakeEllipse({0, 0, 0}, 2, 1, {0, 0, 1}),
                                          KBrepTools::MakeCircle({0, 0, 3}, 1, {0, 0, 1})},
                                         true)}};
    KorrTest::TempDir dir;
    for (const auto& [name, shape] : written) {
        ASSERT_TRUE(KBrepTools::SaveBrepFile(shape, KorrTest::Wide(dir.file("written.brep")), nullptr)) << name;
        const std::string text = KorrTest::ReadBytes(dir.file("written.brep"));
        EXPECT_TRUE(ReadsAsTheKernel(text)) << name;
        EXPECT_TRUE(ReadsAsTheKernel(text.substr(0, text.find_last_not_of(" \n") + 1))) << name << ", trimmed";
        for (const auto version :
             {TopTools_FormatVersion_VERSION_1, TopTools_FormatVersion_VERSION_2, TopTools_FormatVersion_VERSION_3}) {
            std::ostringstream out;
            BRepTools::Write(KernelRead(text), out, /*withTriangles=*/true, /*withNormals=*/true, version);
            EXPECT_TRUE(ReadsAsTheKernel(out.str())) << name << ", version " << version;
        }
        ExpectEveryCutRefusedAndEveryDamageAnswered(name, text, name == std::string("located compound"));
    }
}

TEST(BrepFileScreen, HandMadeTextsReadOnlyWhenWhole)
{
    // What the host sets must not change what is read.
    const std::locale host = std::locale::global(std::locale(std::locale::classic(), new FrenchNumbers));
    for (const auto& [folder, reads] : {std::pair{"/reads", true}, std::pair{"/refused", false}})
        for (const auto& file :
             std::filesystem::directory_iterator(KORRGEOM_TEST_DATA_DIR "/brep-screen" + std::string(folder))) {
            const std::string text = KorrTest::ReadBytes(file.path().string());
            EXPECT_TRUE(reads ? ReadsAsTheKernel(text) : ::testing::AssertionResult(!Read(text)))
                << file.path().filename();
            // The screen itself passes it or not: the kernel's reader must not
            // be the one to find a defect, since it may misread instead.
            EXPECT_EQ(KorrCore::ScreenBrepText(text).has_value(), reads) << file.path().filename();
        }
    std::locale::global(host);
}

TEST(BrepFileScreen, SharedFilesReadAsTheKernelReadsThemAndNoCutDoes)
{
    KORRTEST_SKIP_WITHOUT_SHARED_DATA();
    for (const auto& entry : std::filesystem::directory_iterator(KORRGEOM_SHARED_DATA_DIR "/brep")) {
        const std::string name = entry.path().filename().string(), text = KorrTest::ReadBytes(entry.path().string());
        if (entry.path().extension() != ".brep")
            continue;
        EXPECT_TRUE(ReadsAsTheKernel(text)) << name;
        ExpectEveryCutRefusedAndEveryDamageAnswered(name, text, name == "cadquery_test_box.brep");
    }
}
