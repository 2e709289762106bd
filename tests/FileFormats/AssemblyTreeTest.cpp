#include <KorrGeomCore/Service/KGltfFileService.h>

#include <STEPCAFControl_Reader.hxx>
#include <TDataStd_Name.hxx>
#include <TDocStd_Document.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_ShapeTool.hxx>
#include <XCAFPrs_DocumentExplorer.hxx>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "FileFormats/ExchangeChecks.h"
#include "support/GltfAccess.h"

// Assembly trees as the walk gives them, against the kernel's XCAF tree of
// the same file, after a STEP round trip, and in the glTF written of them.

using namespace KorrCore;

namespace {

// What an outline shows of each use: its product and instance names, its
// placement, its colour.
enum Shown { kNames = 1, kPlacement = 2, kColour = 4 };

// The placement's upper three rows, row by row, to 4 decimals (no negative
// zeros).
std::string Placement(const double* rows)
{
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += std::to_string(std::round(rows[i] * 1e4) / 1e4 + 0.0) + ' ';
    return text;
}

// One use a line, indented by its depth.
std::string Line(int depth, const std::string& text)
{
    return std::string(2 * static_cast<std::size_t>(depth), ' ') + text + "\n";
}

std::string Described(const KAssemblyChild& child, int shown)
{
    std::string text =
        shown & kNames ? KStringUtil::w2a(child.Product) + " / " + KStringUtil::w2a(child.Name) + " " : "";
    if (shown & kPlacement)
        text += Placement(child.Placement.m);
    const auto byte = [](float component) { return std::to_string(std::lround(255 * component)); };
    if ((shown & kColour) && child.Colour)
        text += "rgb " + byte(child.Colour->Red) + ',' + byte(child.Colour->Green) + ',' + byte(child.Colour->Blue);
    return text;
}

// The names a glTF node's extras keep apart.
std::string GltfNames(const tinygltf::Model& model, int index)
{
    const tinygltf::Value& extras = model.nodes.at(static_cast<std::size_t>(index)).extras;
    return extras.Get("product").Get<std::string>() + " / " + extras.Get("instance").Get<std::string>() + " ";
}

// The walk down through every assembly: what `shown` asks of each use, or
// the names of its node in the glTF model, when given one, from `node` down.
std::string Walked(const ShapePtr& shape, bool assembly, int shown, int depth, const tinygltf::Model* model = nullptr,
                   int node = -1)
{
    std::vector<KAssemblyChild> children;
    if (assembly) {
        EXPECT_TRUE(KAssemblyExplor::Explor(shape, children));
    }
    std::string outline;
    for (std::size_t i = 0; i < children.size(); ++i) {
        const int index = model ? model->nodes.at(static_cast<std::size_t>(node)).children.at(i) : -1;
        outline += Line(depth, model ? GltfNames(*model, index) : Described(children[i], shown)) +
                   Walked(children[i].Shape, children[i].IsAssembly, shown, depth + 1, model, index);
    }
    return outline;
}

std::string WalkedTree(const ShapePtr& shape, int shown = kNames)
{
    const std::string product = KStringUtil::w2a(KShapeAttributes::GetProductName(shape, shape));
    return Line(0, shown & kNames ? product + " / " : "") + Walked(shape, KAssemblyExplor::IsAssembly(shape), shown, 1);
}

std::string LabelName(const TDF_Label& label)
{
    Handle(TDataStd_Name) name;
    return label.FindAttribute(TDataStd_Name::GetID(), name) ? TCollection_AsciiString(name->Get()).ToCString()
                                                             : std::string();
}

// The kernel's own reading of the file's tree, names and placements. (A file
// of several free shapes, which the service loads below a nameless root,
// would differ by that root.) Read in a child: the kernel's translator keeps
// tables the sanitized build's leak check would count. Empty on failure.
std::string XcafTree(const std::string& path)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        XCAFDoc_ShapeTool::SetAutoNaming(false); // the file's own names, as the service reads them
        STEPCAFControl_Reader reader;
        reader.SetNameMode(true);
        Handle(TDocStd_Document) document;
        XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", document);
        if (reader.ReadFile(path.c_str()) != IFSelect_RetDone || !reader.Transfer(document))
            ::_exit(1);
        std::string outline;
        for (XCAFPrs_DocumentExplorer node(document, XCAFPrs_DocumentExplorerFlags_None); node.More(); node.Next()) {
            const XCAFPrs_DocumentNode& use = node.Current();
            const gp_Trsf placement = XCAFDoc_ShapeTool::GetLocation(use.Label).Transformation();
            double rows[12];
            for (int i = 0; i < 12; ++i)
                rows[i] = placement.Value(i / 4 + 1, i % 4 + 1);
            const int depth = node.CurrentDepth();
            const std::string instance = (use.Label == use.RefLabel ? "" : LabelName(use.Label)) + " ";
            outline += Line(depth, LabelName(use.RefLabel) + " / " + (depth == 0 ? "" : instance + Placement(rows)));
        }
        const bool sent = ::write(channel[1], outline.data(), outline.size()) == static_cast<ssize_t>(outline.size());
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    std::string outline;
    char buffer[4096];
    for (ssize_t got; child > 0 && (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        outline.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    const bool read =
        child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return read ? outline : std::string();
}

} // namespace

// A built assembly is the tree built, and comes back from STEP as it, rebuilt
// of the uses its walk gives (which carry the names below them); so does
// every shared file, whose tree is the kernel's XCAF reading of it, and which
// the glTF written keeps. The kernel's STEP writer names what a file left
// unnamed, so names are compared after a round trip only where the host gave
// them all.
TEST(AssemblyTree, WalksAsBuiltAndAsTheKernelReadsEachSharedStepFileAndSurvivesStepAndGltf)
{
    const ShapePtr built = KorrTest::BuiltAssembly();
    EXPECT_EQ(
        WalkedTree(built, kNames | kColour),
        "AS / \n  PLATE / PLATE_1 rgb 0,0,255\n  NUT-BOLT / NBA_1 \n    BOLT / BOLT_1 rgb 255,0,0\n    NUT / NUT_1 \n"
        "  NUT-BOLT / NBA_2 \n    BOLT / BOLT_1 rgb 255,0,0\n    NUT / NUT_1 \n");
    std::vector<KAssemblyChild> uses; // rebuilt of its own walk, then saved
    KAssemblyExplor::Explor(built, uses);
    KorrTest::TempDir dir;
    KStepFileService().SaveFile({KBrepTools::MakeAssembly(uses, L"AS")}, KorrTest::Wide(dir.file("built.stp")));
    const ShapePtr reloaded = KorrTest::LoadExchangeFile(dir.file("built.stp"));
    EXPECT_EQ(WalkedTree(reloaded, kNames | kPlacement | kColour), WalkedTree(built, kNames | kPlacement | kColour));

    KORRTEST_SHARED_FILE(folder, "step");
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".stp")
            continue;
        const std::string path = entry.path().string();
        const ShapePtr loaded = KorrTest::LoadExchangeFile(path);
        EXPECT_EQ(WalkedTree(loaded, kNames | kPlacement), XcafTree(path)) << path;

        const tinygltf::Model model = KorrTest::Written({loaded});
        const int top = model.nodes.at(static_cast<std::size_t>(model.scenes.at(0).nodes.at(0))).children.at(0);
        const bool assembly = KAssemblyExplor::IsAssembly(loaded);
        EXPECT_EQ(Walked(loaded, assembly, kNames, 1, &model, top), Walked(loaded, assembly, kNames, 1)) << path;

        KStepFileService().SaveFile({loaded}, KorrTest::Wide(dir.file("saved.stp")));
        const ShapePtr saved = KorrTest::LoadExchangeFile(dir.file("saved.stp"));
        EXPECT_EQ(WalkedTree(saved, kPlacement | kColour), WalkedTree(loaded, kPlacement | kColour)) << path;
    }
}
