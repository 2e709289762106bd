#include <KorrGeomCore/KorrGeomCore.h>
#include <KorrGeomCore/Service/KGltfFileService.h>

#include <TopExp_Explorer.hxx>
#include <TopoDS_Iterator.hxx>
#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include <map>
#include <set>

#include "FileFormats/ExchangeChecks.h"
#include "support/GltfAccess.h"
#include "support/Checks.h"

// Meshes with their names and colours, and the glTF files made of them.

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::Holding;
using KorrTest::Kernel;

namespace {

tinygltf::Model Written(const ShapeList& shapes, const KGltfFileService& service = KGltfFileService())
{
    const std::string bytes = service.Encode(shapes, true);
    tinygltf::Model model;
    std::string error, warning;
    EXPECT_TRUE(tinygltf::TinyGLTF().LoadBinaryFromMemory(&model, &error, &warning,
                                                          reinterpret_cast<const unsigned char*>(bytes.data()),
                                                          static_cast<unsigned int>(bytes.size())))
        << error;
    return model;
}

KShapeMesh Meshed(const ShapePtr& shape)
{
    KShapeMesh mesh;
    EXPECT_TRUE(KShapeMesher::Mesh(shape, KMeshOptions(), mesh));
    return mesh;
}

// The instance nodes, below the root that turns +Z up into +Y up.
std::vector<const tinygltf::Node*> InstanceNodes(const tinygltf::Model& model)
{
    const tinygltf::Node& root = model.nodes.at(static_cast<std::size_t>(model.scenes.at(0).nodes.at(0)));
    EXPECT_NEAR(root.rotation.at(0), -std::sqrt(0.5), 1e-12);
    std::vector<const tinygltf::Node*> nodes;
    for (int child : root.children)
        nodes.push_back(&model.nodes.at(static_cast<std::size_t>(child)));
    return nodes;
}

// Each mesh's triangle primitives' base colours; at most one primitive per
// material.
std::vector<std::vector<std::vector<double>>> SurfaceColours(const tinygltf::Model& model)
{
    std::vector<std::vector<std::vector<double>>> colours;
    for (const tinygltf::Mesh& mesh : model.meshes) {
        std::set<int> materials;
        colours.emplace_back();
        for (const tinygltf::Primitive& primitive : mesh.primitives)
            if (primitive.mode == TINYGLTF_MODE_TRIANGLES) {
                EXPECT_TRUE(materials.insert(primitive.material).second) << "two primitives of one material";
                colours.back().push_back(model.materials.at(static_cast<std::size_t>(primitive.material))
                                             .pbrMetallicRoughness.baseColorFactor);
            }
    }
    return colours;
}

// Three uses of one box: the first with a face coloured red, its shell green
// and the use blue; the other two with only the use coloured, yellow.
ShapePtr ColouredBoxes()
{
    const ShapePtr box = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(10, 10, 10));
    const ShapePtr boxes = KBrepTools::MakeCompound(
        {box, KFeatureTools::Translate(box, Vector3(20, 0, 0)), KFeatureTools::Translate(box, Vector3(40, 0, 0))});
    const TopoDS_Shape& root = Kernel(boxes);
    const auto set = [&](const TopoDS_Shape& shape, const wchar_t* name, KColor colour) {
        const ShapePtr sub = Holding(shape);
        KShapeAttributes::SetColor(boxes, sub, colour);
        if (*name)
            KShapeAttributes::SetName(boxes, sub, name), KShapeAttributes::SetProductName(boxes, sub, L"box");
    };
    TopoDS_Iterator use(root);
    set(use.Value(), L"first", {0, 0, 1, 1});
    set(TopExp_Explorer(use.Value(), TopAbs_SHELL).Current(), L"", {0, 1, 0, 1});
    set(TopExp_Explorer(use.Value(), TopAbs_FACE).Current(), L"", {1, 0, 0, 1});
    for (const wchar_t* name : {L"second", L"third"}) {
        use.Next();
        set(use.Value(), name, {1, 1, 0, 1});
    }
    return boxes;
}

} // namespace

TEST(GltfExport, FaceColoursTakeTheFacesThenTheNearestContainersThenTheUsesOwn)
{
    const KShapeMesh mesh = Meshed(ColouredBoxes());
    ASSERT_EQ(mesh.Instances.size(), 3u);
    ASSERT_EQ(mesh.Parts.size(), 2u) << "the first use is coloured apart, the other two alike";
    EXPECT_EQ(mesh.Instances[2].Part, 1u);
    EXPECT_EQ(mesh.Instances[2].Name, "third");
    EXPECT_EQ(mesh.Parts[0].Product, "box");
    std::vector<std::optional<KColor>> colours;
    for (const KMeshPart& part : mesh.Parts)
        for (const KMeshFace& face : part.Faces)
            colours.push_back(face.Colour);
    const KColor red{1, 0, 0, 1}, green{0, 1, 0, 1}, yellow{1, 1, 0, 1};
    EXPECT_EQ(colours, (std::vector<std::optional<KColor>>{red, green, green, green, green, green, yellow, yellow,
                                                           yellow, yellow, yellow, yellow}));

    const tinygltf::Model model = Written({ColouredBoxes()});
    const std::vector<const tinygltf::Node*> nodes = InstanceNodes(model);
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes[0]->name, "first (box)");
    EXPECT_EQ(nodes[1]->mesh, nodes[2]->mesh);
    using Colours = std::vector<std::vector<double>>;
    EXPECT_EQ(SurfaceColours(model), (std::vector<Colours>{{{1, 0, 0, 1}, {0, 1, 0, 1}}, {{1, 1, 0, 1}}}));
    EXPECT_EQ(model.meshes[0].primitives.back().mode, TINYGLTF_MODE_LINE) << "one line primitive for the edges";
}

TEST(GltfExport, EachPrimitivesFaceRangesLeadBackToTheExplorersFaces)
{
    const ShapePtr boxes = ColouredBoxes();
    const tinygltf::Model model = Written({boxes});
    const KShapeMesh mesh = Meshed(boxes);
    ShapeList listed;
    ASSERT_TRUE(KTopoFaceExplor::Explor(boxes, listed));
    const std::vector<ShapePtr> faces(listed.begin(), listed.end());
    ExplorFaceOptions options;
    options.Deflection = mesh.Deflection;

    const std::vector<const tinygltf::Node*> nodes = InstanceNodes(model);
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        const double shift = nodes[k]->matrix.empty() ? 0.0 : nodes[k]->matrix.at(12);
        std::size_t picked = 0;
        for (const tinygltf::Primitive& primitive :
             model.meshes.at(static_cast<std::size_t>(nodes[k]->mesh)).primitives) {
            if (primitive.mode != TINYGLTF_MODE_TRIANGLES)
                continue;
            const std::vector<float> positions = KorrTest::Read<float>(model, primitive.attributes.at("POSITION"), 3);
            const std::vector<unsigned int> indices = KorrTest::ReadIndices(model, primitive.indices);
            const tinygltf::Value& ranges = primitive.extras.Get("faces");
            for (int r = 0; r < static_cast<int>(ranges.ArrayLen()); ++r, ++picked) {
                const auto at = [&](int i) { return static_cast<std::size_t>(ranges.Get(r).Get(i).GetNumberAsInt()); };
                const std::size_t face = mesh.Instances[k].Faces.First + at(0), first = at(1), count = at(2);
                std::vector<float> expected, normals, texCoords;
                std::vector<unsigned int> corners;
                ASSERT_TRUE(KTopoFaceExplor::Explor(faces.at(face), expected, corners, normals, texCoords, options));
                ASSERT_EQ(3 * count, corners.size());
                for (std::size_t i = 0; i < 3 * count; ++i)
                    for (std::size_t c = 0; c < 3; ++c)
                        ASSERT_NEAR(positions[3 * indices[3 * first + i] + c] + (c == 0 ? shift : 0.0),
                                    0.001 * expected[3 * corners[i] + c], 1e-6)
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
    EXPECT_EQ(inModelUnits.meshes[0].primitives.size(), 1u);
    EXPECT_EQ(inModelUnits.meshes[0].primitives[0].attributes.count("TEXCOORD_0"), 1u);
}

TEST(GltfExport, ClosedSolidsAreSingleSidedOpenShellsAndLooseFacesNot)
{
    const ShapePtr box = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(1, 2, 3));
    const std::pair<ShapePtr, bool> cases[] = {
        {box, false},
        {KorrTest::Holding(TopExp_Explorer(Kernel(box), TopAbs_SHELL).Current()), true},
        {KorrTest::Holding(TopExp_Explorer(Kernel(box), TopAbs_FACE).Current()), true},
    };
    for (const auto& [shape, doubleSided] : cases) {
        EXPECT_EQ(Meshed(shape).Parts.at(0).Closed, !doubleSided);
        const tinygltf::Model model = Written({shape});
        const int material = model.meshes.at(0).primitives.at(0).material;
        EXPECT_EQ(model.materials.at(static_cast<std::size_t>(material)).doubleSided, doubleSided)
            << Kernel(shape).ShapeType();
    }
}

TEST(GltfExport, FailedSavesReportAndLeaveThePreviousFile)
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
                                                             "Not a .glb or .gltf file!", "Cannot write the file!"}));
}

TEST(GltfExport, TheAs1AssemblyKeepsItsNamesColoursAndSharedParts)
{
    const std::string path = KorrTest::SharedExchangeFile("step/occt_trj6_as1-ug-214.stp");
    if (path.empty())
        GTEST_SKIP() << "shared data absent";
    const ShapePtr as1 = KorrTest::LoadExchangeFile(path);
    ASSERT_TRUE(as1);
    const tinygltf::Model model = Written({as1});

    std::map<std::string, int> names;
    std::map<std::string, std::set<int>> meshes;
    for (const tinygltf::Node* node : InstanceNodes(model)) {
        ++names[node->name];
        meshes[model.meshes.at(static_cast<std::size_t>(node->mesh)).name].insert(node->mesh);
    }
    EXPECT_EQ(names, (std::map<std::string, int>{{"BOLT (bolt)", 6},
                                                 {"L_BRACKET (l_bracket)", 2},
                                                 {"NUT (nut)", 6},
                                                 {"NUT1 (nut)", 1},
                                                 {"NUT2 (nut)", 1},
                                                 {"PLATE (plate)", 1},
                                                 {"ROD (rod)", 1}}));
    const std::set<int> one{*meshes["bolt"].begin()};
    EXPECT_EQ(meshes["bolt"], one) << "the bolts share one mesh";
    EXPECT_EQ(meshes["nut"].size(), 1u);
    using Colours = std::vector<std::vector<double>>;
    const std::vector<Colours> colours = SurfaceColours(model);
    EXPECT_EQ(colours.at(static_cast<std::size_t>(*meshes["bolt"].begin())), (Colours{{1, 0, 0, 1}}));
    EXPECT_EQ(colours.at(static_cast<std::size_t>(*meshes["plate"].begin())), (Colours{{0, 0, 1, 1}}));
    // The plate is 180 mm long: 0.18 in glTF's metres.
    const tinygltf::Primitive& plate =
        model.meshes.at(static_cast<std::size_t>(*meshes["plate"].begin())).primitives[0];
    EXPECT_NEAR(model.accessors.at(static_cast<std::size_t>(plate.attributes.at("POSITION"))).maxValues.at(0), 0.18,
                1e-3);
}
