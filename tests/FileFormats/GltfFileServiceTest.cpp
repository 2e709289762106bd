#include <KorrGeomCore/Service/KGltfFileService.h>

#include <FSD_Base64.hxx>
#include <gmock/gmock.h>
#include <TopExp_Explorer.hxx>
#include <TopoDS_Iterator.hxx>
#include <tiny_gltf.h>

#include <set>

#include "support/Checks.h"
#include "support/GltfAccess.h"

// The glTF files made of shapes' meshes, with their names and colours.

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::Holding;
using KorrTest::Kernel;
using KorrTest::Written;
using Colours = std::vector<std::vector<double>>;

namespace {

// The nodes of the first shape's children, below the shape's node and the
// root that turns +Z up into +Y up.
std::vector<const tinygltf::Node*> InstanceNodes(const tinygltf::Model& model)
{
    const tinygltf::Node& root = model.nodes.at(static_cast<std::size_t>(model.scenes.at(0).nodes.at(0)));
    EXPECT_EQ(root.rotation, (std::vector<double>{-std::sqrt(0.5), 0, 0, std::sqrt(0.5)}));
    std::vector<const tinygltf::Node*> nodes;
    for (int child : model.nodes.at(static_cast<std::size_t>(root.children.at(0))).children)
        nodes.push_back(&model.nodes.at(static_cast<std::size_t>(child)));
    return nodes;
}

const tinygltf::Mesh& MeshOf(const tinygltf::Model& model, const tinygltf::Node* node)
{
    return model.meshes.at(static_cast<std::size_t>(node->mesh));
}

// The base colours of a mesh's triangle primitives; at most one primitive per
// material.
Colours SurfaceColours(const tinygltf::Model& model, const tinygltf::Mesh& mesh)
{
    Colours colours;
    std::set<int> materials;
    for (const tinygltf::Primitive& primitive : mesh.primitives)
        if (primitive.mode == TINYGLTF_MODE_TRIANGLES) {
            EXPECT_TRUE(materials.insert(primitive.material).second) << "two primitives of one material";
            colours.push_back(model.materials.at(static_cast<std::size_t>(primitive.material))
                                  .pbrMetallicRoughness.baseColorFactor);
        }
    return colours;
}

} // namespace

// Three uses of one box: the first with a face coloured red, its shell green
// and the use blue; the other two with only the use coloured, yellow. Each
// face shows the colour nearest above it, and each primitive's face ranges
// lead back to the explorer's faces.
TEST(GltfExport, ColouredUsesGiveMeshesPerPartMaterialsPerColourAndFaceRangesOfTheExplorersFaces)
{
    const ShapePtr box = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(10, 10, 10));
    const ShapePtr boxes = KBrepTools::MakeAssembly({{box, KorrTest::Moved(0), L"first", L"box", KColor{0, 0, 1, 1}},
                                                     {box, KorrTest::Moved(20), L"second", L"box", KColor{1, 1, 0, 1}},
                                                     {box, KorrTest::Moved(40), L"third", L"box", KColor{1, 1, 0, 1}}},
                                                    L"");
    const TopoDS_Shape first = TopoDS_Iterator(Kernel(boxes)).Value();
    KShapeAttributes::SetColor(boxes, Holding(TopExp_Explorer(first, TopAbs_SHELL).Current()), {0, 1, 0, 1});
    KShapeAttributes::SetColor(boxes, Holding(TopExp_Explorer(first, TopAbs_FACE).Current()), {1, 0, 0, 1});

    const tinygltf::Model model = Written({boxes});
    const std::vector<const tinygltf::Node*> nodes = InstanceNodes(model);
    ASSERT_EQ(nodes.size(), 3u);
    ASSERT_EQ(model.meshes.size(), 2u) << "the first use is coloured apart, the other two alike";
    EXPECT_EQ(nodes[0]->name, "first");
    EXPECT_EQ(nodes[2]->name, "third");
    EXPECT_EQ(nodes[1]->mesh, nodes[2]->mesh);
    EXPECT_EQ(MeshOf(model, nodes[2]).name, "box");
    EXPECT_EQ(SurfaceColours(model, MeshOf(model, nodes[0])), (Colours{{1, 0, 0, 1}, {0, 1, 0, 1}}));
    EXPECT_EQ(SurfaceColours(model, MeshOf(model, nodes[2])), (Colours{{1, 1, 0, 1}}));
    EXPECT_EQ(MeshOf(model, nodes[0]).primitives.back().mode, TINYGLTF_MODE_LINE) << "one line primitive for edges";

    // The mesher's faces are the face explorer's (KShapeMesher's tests).
    KShapeMesh mesh;
    ASSERT_TRUE(KShapeMesher::Mesh(boxes, KMeshOptions(), mesh));
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        const double shift = nodes[k]->matrix.empty() ? 0.0 : nodes[k]->matrix.at(12);
        EXPECT_NEAR(shift, 0.001 * mesh.Instances[k].Placement(0, 3), 1e-9) << "node " << k;
        const KMeshPart& part = mesh.Parts.at(mesh.Instances[k].Part);
        std::size_t picked = 0;
        for (const tinygltf::Primitive& primitive : MeshOf(model, nodes[k]).primitives) {
            if (primitive.mode != TINYGLTF_MODE_TRIANGLES)
                continue;
            const std::vector<float> positions = KorrTest::Read<float>(model, primitive.attributes.at("POSITION"), 3);
            const std::vector<unsigned int> indices = KorrTest::ReadIndices(model, primitive.indices);
            const tinygltf::Value& ranges = primitive.extras.Get("faces");
            for (int r = 0; r < static_cast<int>(ranges.ArrayLen()); ++r, ++picked) {
                const auto at = [&](int i) { return static_cast<std::size_t>(ranges.Get(r).Get(i).GetNumberAsInt()); };
                const std::size_t face = at(0), first = at(1), count = at(2);
                ASSERT_EQ(count, part.Faces.at(face).Triangles.Count);
                for (std::size_t i = 0, corner = 3 * part.Faces[face].Triangles.First; i < 3 * count; ++i, ++corner)
                    for (std::size_t c = 0; c < 3; ++c)
                        ASSERT_NEAR(positions[3 * indices[3 * first + i] + c],
                                    0.001 * part.Positions[3 * part.Indices[corner] + c], 1e-6)
                            << "node " << k << ", face " << face << ", corner " << i;
            }
        }
        EXPECT_EQ(picked, 6u) << "node " << k;
    }
}

TEST(GltfExport, ThousandLocatedCopiesShareOneMeshPlacedInMetres)
{
    const ShapePtr box = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(10, 20, 30));
    ShapeList copies;
    for (int k = 0; k < 1000; ++k)
        copies.push_back(KFeatureTools::Translate(box, Vector3(20.0 * k, 0, 0)));
    const tinygltf::Model model = Written({KBrepTools::MakeCompound(copies)});

    ASSERT_EQ(model.meshes.size(), 1u);
    EXPECT_EQ(model.buffers.at(0).data.size(), Written({box}).buffers.at(0).data.size()) << "one copy's buffer";
    const std::vector<const tinygltf::Node*> nodes = InstanceNodes(model);
    ASSERT_EQ(nodes.size(), 1000u);
    EXPECT_TRUE(nodes[0]->matrix.empty()) << "no identity matrices";
    EXPECT_EQ(nodes[999]->name, "Solid 1000");
    EXPECT_NEAR(nodes[999]->matrix.at(12), 0.02 * 999, 1e-9);
    const tinygltf::Primitive& surface = model.meshes[0].primitives.at(0);
    EXPECT_EQ(model.accessors.at(static_cast<std::size_t>(surface.attributes.at("POSITION"))).maxValues,
              (std::vector<double>{0.01f, 0.02f, 0.03f}));
    EXPECT_EQ(surface.attributes.count("TEXCOORD_0"), 0u) << "not asked for";

    KGltfFileService options;
    options.SetModelUnit(1.0);
    options.SetTextureCoordinates(true);
    options.SetEdges(false);
    const tinygltf::Model inModelUnits = Written({KBrepTools::MakeCompound(copies)}, options);
    EXPECT_NEAR(InstanceNodes(inModelUnits)[999]->matrix.at(12), 20.0 * 999, 1e-9);
    ASSERT_EQ(inModelUnits.meshes[0].primitives.size(), 1u);
    EXPECT_EQ(inModelUnits.meshes[0].primitives[0].attributes.count("TEXCOORD_0"), 1u);
}

TEST(GltfExport, EdgesOfMorePointsThanShortIndicesHoldKeepTheirIndicesWhole)
{
    std::vector<Vector3> zigzag;
    for (int i = 0; i <= 35000; ++i)
        zigzag.emplace_back(i, i % 2, 0);
    const tinygltf::Model model = Written({KBrepTools::MakePolyline(zigzag.data(), static_cast<int>(zigzag.size())),
                                           KBrepTools::MakeLine(Vector3::ZERO, Vector3::UNIT_Z)});
    EXPECT_EQ(model.materials.size(), 1u) << "one material for every edge";
    const tinygltf::Primitive& lines = model.meshes.at(0).primitives.back();
    ASSERT_EQ(lines.mode, TINYGLTF_MODE_LINE);
    const std::vector<unsigned int> indices = KorrTest::ReadIndices(model, lines.indices);
    EXPECT_EQ(indices.size(), 2u * 35000) << "a segment an edge";
    EXPECT_EQ(*std::max_element(indices.begin(), indices.end()), 2 * 35000 - 1) << "two points an edge";
}

// Without colours, each shows in a grey within the colour range.
TEST(GltfExport, ClosedSolidsAreSingleSidedOpenShellsAndLooseFacesNotAndUncolouredShapesGrey)
{
    const ShapePtr box = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(1, 2, 3));
    for (const TopAbs_ShapeEnum kind : {TopAbs_SOLID, TopAbs_SHELL, TopAbs_FACE}) {
        SCOPED_TRACE(kind);
        const tinygltf::Model model = Written({Holding(TopExp_Explorer(Kernel(box), kind).Current())});
        ASSERT_EQ(model.meshes.size(), 1u);
        const int material = model.meshes.at(0).primitives.at(0).material;
        EXPECT_EQ(model.materials.at(static_cast<std::size_t>(material)).doubleSided, kind != TopAbs_SOLID);
        EXPECT_EQ(model.materials.at(static_cast<std::size_t>(material)).alphaMode, "OPAQUE");
        const Colours surfaces = SurfaceColours(model, model.meshes.front());
        ASSERT_EQ(surfaces.size(), 1u);
        ASSERT_EQ(surfaces[0].size(), 4u);
        EXPECT_THAT(surfaces[0], testing::Each(testing::AllOf(testing::Ge(0.0), testing::Le(1.0))));
        EXPECT_NEAR(surfaces[0][0], surfaces[0][1], 0.1);
        EXPECT_NEAR(surfaces[0][1], surfaces[0][2], 0.1);
    }
}

TEST(GltfExport, FailedSavesReportAndLeaveThePreviousFileAndAPageHoldsTheModelAsBase64TitledByItsName)
{
    KorrTest::TempDir dir;
    const std::string path = dir.file("model.glb");
    KGltfFileService service;
    const ShapePtr box = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(1, 2, 3));
    service.SaveFile({box}, KorrTest::Wide(path));
    const std::string saved = KorrTest::ReadBytes(path);
    EXPECT_EQ(saved, service.Encode({box}, true));
    EXPECT_FALSE(service.LoadFile(KorrTest::Wide(path))) << "meshes are no B-rep";

    KorrTest::ReportRecorder recorder;
    service.SetModelUnit(0);
    service.SetDeflection(-1);
    // The mesher cannot resolve this deflection so far from the origin.
    service.SetDeflection(1e-3);
    const ShapePtr far = KFeatureTools::Translate(KBrepTools::MakeSphere(Vector3::ZERO, 1), Vector3(1e11, 0, 0));
    service.SaveFile({nullptr, far}, KorrTest::Wide(path));
    service.SaveFile({box}, KorrTest::Wide(dir.file("model.obj")));
    service.SaveFile({box}, KorrTest::Wide(dir.file("missing/model.glb")));
    EXPECT_EQ(KorrTest::ReadBytes(path), saved);
    EXPECT_EQ(dir.entryCount(), 1u) << "nothing left behind";
    EXPECT_EQ(recorder.messages(), (std::vector<std::string>{"Invalid Model Unit!", "Invalid Deflection!",
                                                             "NULL TopoShape!", "Cannot mesh the shape!",
                                                             "Not a .glb, .gltf or .html file!", "Cannot write the file!"}));
    service.SaveFile({nullptr, box}, KorrTest::Wide(dir.file("rest.glb")));
    EXPECT_EQ(KLastOutcome().Code, KOutcomeCode::NullShape) << "the rest saved, the null element told";

    // The page carries the binary model as base64, whose alphabet no name can
    // break out of, and the file's name as its title, escaped.
    KShapeAttributes::SetProductName(box, box, L"</script><script>document.title='x'</script>");
    KShapeAttributes::SetName(box, box, L"<!--<script>");
    const std::string title = "<b>\"Mutter\" & M8 \xe2\x80\x93 \xc3\x98" "8";
    service.SaveFile({box}, KStringUtil::a2w(dir.file(title + ".HTML")));
    const std::string page = KorrTest::ReadBytes(dir.file(title + ".HTML"));

    EXPECT_EQ(page, service.EncodePage({box}, title));
    EXPECT_NE(page.find("<title>&#60;b&#62;&#34;Mutter&#34; &#38; M8 \xe2\x80\x93 \xc3\x98" "8</title>"),
              std::string::npos);
    const std::string opening = "<script id=\"korrgeom-model\" type=\"model/gltf-binary\">";
    const std::size_t first = page.find(opening) + opening.size();
    const std::string model = page.substr(first, page.find("</script>", first) - first);
    EXPECT_EQ(model.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
              std::string::npos);
    const Handle(NCollection_Buffer) glb = FSD_Base64::Decode(model.c_str(), model.size());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(glb->Data()), glb->Size()), service.Encode({box}, true));
}
