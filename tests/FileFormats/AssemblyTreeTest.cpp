#include <KorrGeomCore/Service/KGltfFileService.h>

#include <STEPCAFControl_Reader.hxx>
#include <TDF_LabelSequence.hxx>
#include <TDataStd_Name.hxx>
#include <TDocStd_Document.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>
#include <XCAFPrs_DocumentExplorer.hxx>

#include <cmath>
#include <filesystem>
#include <iomanip>
#include <sstream>

#include "FileFormats/ExchangeChecks.h"
#include "support/GltfAccess.h"

// Assembly trees as the walk gives them, against the kernel's XCAF tree of
// the same file, after a STEP round trip, and in the glTF written of them.

using namespace KorrCore;

namespace {

// One use a line, indented by its depth: product, instance name, and what
// else the comparison needs.
std::string Line(int depth, const std::string& product, const std::string& instance, const std::string& details)
{
    return std::string(2 * static_cast<std::size_t>(depth), ' ') + product + " / " + instance + " " + details + "\n";
}

// The placement to 4 decimals (no negative zeros) and the colour, if any.
std::string Details(const KAssemblyChild& child)
{
    std::ostringstream text;
    text << std::fixed << std::setprecision(4);
    for (double entry : child.Placement.m)
        text << std::round(entry * 1e4) / 1e4 + 0.0 << ' ';
    if (child.Colour)
        text << "rgb " << child.Colour->Red << ',' << child.Colour->Green << ',' << child.Colour->Blue;
    return text.str();
}

// The walk down through every assembly: the names, or else each use's
// placement and colour (the kernel's STEP writer names what a file left
// unnamed).
std::string Walked(const ShapePtr& shape, bool assembly, bool details, int depth)
{
    std::vector<KAssemblyChild> children;
    if (assembly) {
        EXPECT_TRUE(KAssemblyExplor::Explor(shape, children));
    }
    std::string outline;
    for (const KAssemblyChild& child : children)
        outline += (details ? Line(depth, "", "", Details(child))
                            : Line(depth, KStringUtil::w2a(child.Product), KStringUtil::w2a(child.Name), "")) +
                   Walked(child.Shape, child.IsAssembly, details, depth + 1);
    return outline;
}

std::string WalkedTree(const ShapePtr& shape, bool details = false)
{
    return Line(0, details ? "" : KStringUtil::w2a(KShapeAttributes::GetProductName(shape, shape)), "", "") +
           Walked(shape, KAssemblyExplor::IsAssembly(shape), details, 1);
}

std::string LabelName(const TDF_Label& label)
{
    Handle(TDataStd_Name) name;
    return label.FindAttribute(TDataStd_Name::GetID(), name) ? TCollection_AsciiString(name->Get()).ToCString()
                                                             : std::string();
}

// The kernel's own reading of the file's tree; several free shapes hang
// below a nameless root, as the service loads them.
std::string XcafTree(const std::string& path)
{
    XCAFDoc_ShapeTool::SetAutoNaming(false); // the file's own names, as the service reads them
    STEPCAFControl_Reader reader;
    reader.SetNameMode(true);
    Handle(TDocStd_Document) document;
    XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", document);
    EXPECT_EQ(reader.ReadFile(path.c_str()), IFSelect_RetDone);
    EXPECT_TRUE(reader.Transfer(document));
    TDF_LabelSequence free;
    XCAFDoc_DocumentTool::ShapeTool(document->Main())->GetFreeShapes(free);
    const int below = free.Size() == 1 ? 0 : 1;
    std::string outline = below ? Line(0, "", "", "") : "";
    for (XCAFPrs_DocumentExplorer node(document, XCAFPrs_DocumentExplorerFlags_None); node.More(); node.Next()) {
        const XCAFPrs_DocumentNode& use = node.Current();
        outline += Line(node.CurrentDepth() + below, LabelName(use.RefLabel),
                        use.Label == use.RefLabel ? "" : LabelName(use.Label), "");
    }
    return outline;
}

// The glTF's nodes from the one below the node that turns +Z up, with the
// names their extras keep apart, as deep as the walk goes: a part's bodies
// below its node are not compared.
std::string GltfTree(const tinygltf::Model& model, int index, const ShapePtr& shape, bool assembly, int depth = 0)
{
    const tinygltf::Node& node = model.nodes.at(static_cast<std::size_t>(index));
    std::string outline =
        Line(depth, node.extras.Get("product").Get<std::string>(), node.extras.Get("instance").Get<std::string>(), "");
    std::vector<KAssemblyChild> children;
    if (assembly) {
        EXPECT_TRUE(KAssemblyExplor::Explor(shape, children));
    }
    for (std::size_t i = 0; i < children.size() && i < node.children.size(); ++i)
        outline += GltfTree(model, node.children[i], children[i].Shape, children[i].IsAssembly, depth + 1);
    return outline;
}

} // namespace

TEST(AssemblyTree, EverySharedStepFileWalksAsTheKernelsXcafTreeAndSurvivesStepAndGltf)
{
    const std::string folder = KorrTest::SharedExchangeFile("step");
    if (folder.empty())
        GTEST_SKIP() << "shared data absent";
    KorrTest::TempDir dir;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".stp")
            continue;
        const std::string path = entry.path().string();
        const ShapePtr loaded = KorrTest::LoadExchangeFile(path);
        EXPECT_EQ(WalkedTree(loaded), XcafTree(path)) << path;

        const tinygltf::Model model = KorrTest::Decoded(KGltfFileService().Encode({loaded}, true));
        const int top = model.nodes.at(static_cast<std::size_t>(model.scenes.at(0).nodes.at(0))).children.at(0);
        EXPECT_EQ(GltfTree(model, top, loaded, KAssemblyExplor::IsAssembly(loaded)), WalkedTree(loaded)) << path;

        KStepFileService().SaveFile({loaded}, KorrTest::Wide(dir.file("saved.stp")));
        const ShapePtr saved = KorrTest::LoadExchangeFile(dir.file("saved.stp"));
        EXPECT_EQ(WalkedTree(saved, true), WalkedTree(loaded, true)) << path;
    }
}

TEST(AssemblyTree, ABuiltAssemblyIsTheTreeBuiltAndSavedAsStepLoadsBackAsIt)
{
    const ShapePtr built = KorrTest::BuiltAssembly();
    EXPECT_EQ(WalkedTree(built),
              "AS /  \n  PLATE / PLATE_1 \n  NUT-BOLT / NBA_1 \n    BOLT / BOLT_1 \n    NUT / NUT_1 \n"
              "  NUT-BOLT / NBA_2 \n    BOLT / BOLT_1 \n    NUT / NUT_1 \n");
    KorrTest::TempDir dir;
    KStepFileService().SaveFile({built}, KorrTest::Wide(dir.file("built.stp")));
    const ShapePtr loaded = KorrTest::LoadExchangeFile(dir.file("built.stp"));
    EXPECT_EQ(WalkedTree(loaded), WalkedTree(built));
    EXPECT_EQ(WalkedTree(loaded, true), WalkedTree(built, true));
}
