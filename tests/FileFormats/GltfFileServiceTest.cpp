#include <KorrGeomCore/KorrGeomCore.h>
#include <KorrGeomCore/Service/KGltfFileService.h>

#include <TopExp_Explorer.hxx>
#include <TopoDS_Iterator.hxx>
#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include <algorithm>
#include <map>
#include <set>

#include "FileFormats/ExchangeChecks.h"
#include "FileFormats/Xde/IsolatedReading.h"
#include "TopoShape/ShapeAttributes.h"
#include "support/GltfAccess.h"
#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"
#include "support/TempDir.h"

// Meshes with their names and colours, and the glTF files made of them.

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::Kernel;

namespace {

tinygltf::Model Parsed(const std::string& bytes, bool binary)
{
    tinygltf::TinyGLTF loader;
    tinygltf::Model model;
    std::string error, warning;
    const bool loaded = binary ? loader.LoadBinaryFromMemory(&model, &error, &warning,
                                                             reinterpret_cast<const unsigned char*>(bytes.data()),
                                                             static_cast<unsigned int>(bytes.size()))
                               : loader.LoadASCIIFromString(&model, &error, &warning, bytes.data(),
                                                            static_cast<unsigned int>(bytes.size()), "");
    EXPECT_TRUE(loaded) << error;
    EXPECT_EQ(warning, "");
    return model;
}

tinygltf::Model Written(const ShapeList& shapes, const KGltfFileService& service = KGltfFileService())
{
    const std::string bytes = service.Encode(shapes, true);
    EXPECT_FALSE(bytes.empty());
    return Parsed(bytes, true);
}

KShapeMesh Meshed(const ShapePtr& shape)
{
    KShapeMesh mesh;
    EXPECT_TRUE(KShapeMesher::Mesh(shape, KMeshOptions(), mesh));
    return mesh;
}

const tinygltf::Node& Node(const tinygltf::Model& model, int index)
{
    return model.nodes.at(static_cast<std::size_t>(index));
}

// The instance nodes, below the root that turns +Z up into +Y up.
std::vector<const tinygltf::Node*> InstanceNodes(const tinygltf::Model& model)
{
    const tinygltf::Node& root = Node(model, model.scenes.at(0).nodes.at(0));
    EXPECT_NEAR(root.rotation.at(0), -std::sqrt(0.5), 1e-12);
    std::vector<const tinygltf::Node*> nodes;
    for (int child : root.children)
        nodes.push_back(&Node(model, child));
    return nodes;
}

std::vector<double> BaseColour(const tinygltf::Model& model, const tinygltf::Primitive& primitive)
{
    return model.materials.at(static_cast<std::size_t>(primitive.material)).pbrMetallicRoughness.baseColorFactor;
}

// Every mesh has at most one triangle primitive per material.
::testing::AssertionResult OneTrianglePrimitivePerMaterial(const tinygltf::Model& model)
{
    for (std::size_t m = 0; m < model.meshes.size(); ++m) {
        std::set<int> materials;
        for (const tinygltf::Primitive& primitive : model.meshes[m].primitives)
            if (primitive.mode == TINYGLTF_MODE_TRIANGLES && !materials.insert(primitive.material).second)
                return ::testing::AssertionFailure()
                       << "mesh " << m << " draws material " << primitive.material << " with two primitives";
    }
    return ::testing::AssertionSuccess();
}

ShapeColour Colour(float red, float green, float blue)
{
    return {red, green, blue, 1};
}

// Three uses of one box: the first with a face coloured, its shell coloured
// and the use coloured; the other two with only the use coloured, alike.
ShapePtr ColouredBoxes()
{
    const ShapePtr box = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(10, 10, 10));
    const ShapePtr boxes = KBrepTools::MakeCompound(
        {box, KFeatureTools::Translate(box, Vector3(20, 0, 0)), KFeatureTools::Translate(box, Vector3(40, 0, 0))});
    const TopoDS_Shape& root = Kernel(boxes);
    auto attributes = std::make_shared<ShapeAttributes>();
    TopoDS_Iterator use(root);
    const TopoDS_Shape first = use.Value();
    attributes->Set(ShapeAttributes::KeyUnder(root, first), {"first", "box", Colour(0, 0, 1)});
    attributes->Set(ShapeAttributes::KeyUnder(root, TopExp_Explorer(first, TopAbs_SHELL).Current()),
                    {"", "", Colour(0, 1, 0)});
    attributes->Set(ShapeAttributes::KeyUnder(root, TopExp_Explorer(first, TopAbs_FACE).Current()),
                    {"", "", Colour(1, 0, 0)});
    for (const char* name : {"second", "third"}) {
        use.Next();
        attributes->Set(ShapeAttributes::KeyUnder(root, use.Value()), {name, "box", Colour(1, 1, 0)});
    }
    KTopoShapeImpl::SetAttributes(boxes.get(), std::move(attributes));
    return boxes;
}

} // namespace

TEST(GltfExport, FaceColoursTakeTheFacesThenTheNearestContainersThenTheUsesOwn)
{
    const KShapeMesh mesh = Meshed(ColouredBoxes());
    ASSERT_EQ(mesh.Instances.size(), 3u);
    ASSERT_EQ(mesh.Parts.size(), 2u) << "the first use is coloured apart, the other two alike";
    EXPECT_EQ(mesh.Instances[1].Part, mesh.Instances[2].Part);
    const std::vector<KMeshFace>& first = mesh.Parts[mesh.Instances[0].Part].Faces;
    const std::vector<KMeshFace>& others = mesh.Parts[mesh.Instances[1].Part].Faces;
    ASSERT_EQ(first.size(), 6u);
    EXPECT_EQ(first[0].Colour, (KColor{1, 0, 0, 1}));
    for (std::size_t f = 1; f < 6; ++f)
        EXPECT_EQ(first[f].Colour, (KColor{0, 1, 0, 1})) << "face " << f;
    for (const KMeshFace& face : others)
        EXPECT_EQ(face.Colour, (KColor{1, 1, 0, 1}));
    EXPECT_EQ(mesh.Instances[2].Name, "third");
    EXPECT_EQ(mesh.Parts[0].Product, "box");
    EXPECT_FALSE(Meshed(KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(1, 1, 1))).Parts[0].Faces[0].Colour)
        << "a shape without attributes has faces without colour";

    const tinygltf::Model model = Written({ColouredBoxes()});
    const std::vector<const tinygltf::Node*> nodes = InstanceNodes(model);
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes[0]->name, "first (box)");
    EXPECT_EQ(nodes[2]->name, "third (box)");
    EXPECT_EQ(nodes[1]->mesh, nodes[2]->mesh);
    const std::vector<tinygltf::Primitive>& primitives =
        model.meshes.at(static_cast<std::size_t>(nodes[0]->mesh)).primitives;
    ASSERT_EQ(primitives.size(), 3u) << "red, green and the edges";
    EXPECT_EQ(BaseColour(model, primitives[0]), (std::vector<double>{1, 0, 0, 1}));
    EXPECT_EQ(BaseColour(model, primitives[1]), (std::vector<double>{0, 1, 0, 1}));
    EXPECT_EQ(primitives[2].mode, TINYGLTF_MODE_LINE);
    EXPECT_TRUE(OneTrianglePrimitivePerMaterial(model));
}

TEST(GltfExport, EachPrimitivesFaceRangesLeadBackToTheExplorersFaces)
{
    const ShapePtr boxes = ColouredBoxes();
    KGltfFileService service;
    service.SetDeflection(0.1);
    const tinygltf::Model model = Written({boxes}, service);
    ShapeList listed;
    ASSERT_TRUE(KTopoFaceExplor::Explor(boxes, listed));
    const std::vector<ShapePtr> faces(listed.begin(), listed.end());
    ExplorFaceOptions options;
    options.Deflection = 0.1;

    const KShapeMesh mesh = Meshed(boxes);
    const std::vector<const tinygltf::Node*> nodes = InstanceNodes(model);
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        const std::vector<double> identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        const std::vector<double>& matrix = nodes[k]->matrix.empty() ? identity : nodes[k]->matrix;
        std::size_t picked = 0;
        for (const tinygltf::Primitive& primitive :
             model.meshes.at(static_cast<std::size_t>(nodes[k]->mesh)).primitives) {
            if (primitive.mode != TINYGLTF_MODE_TRIANGLES)
                continue;
            const std::vector<float> positions = KorrTest::Read<float>(model, primitive.attributes.at("POSITION"), 3);
            const std::vector<unsigned int> indices = KorrTest::ReadIndices(model, primitive.indices);
            const tinygltf::Value& ranges = primitive.extras.Get("faces");
            for (std::size_t r = 0; r < ranges.ArrayLen(); ++r, ++picked) {
                const auto at = [&](int i) {
                    return static_cast<std::size_t>(ranges.Get(static_cast<int>(r)).Get(i).GetNumberAsInt());
                };
                const std::size_t face = mesh.Instances[k].Faces.First + at(0), first = at(1), count = at(2);
                std::vector<float> expected, normals, texCoords;
                std::vector<unsigned int> expectedIndices;
                ASSERT_TRUE(
                    KTopoFaceExplor::Explor(faces.at(face), expected, expectedIndices, normals, texCoords, options));
                ASSERT_EQ(3 * count, expectedIndices.size());
                for (std::size_t i = 0; i < 3 * count; ++i) {
                    const float* p = &positions[3 * indices[3 * first + i]];
                    for (std::size_t c = 0; c < 3; ++c) {
                        const double placed =
                            matrix[c] * p[0] + matrix[4 + c] * p[1] + matrix[8 + c] * p[2] + matrix[12 + c];
                        ASSERT_NEAR(placed, 0.001 * expected[3 * expectedIndices[i] + c], 1e-6)
                            << "node " << k << ", face " << face << ", corner " << i;
                    }
                }
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
    const tinygltf::Model one = Written({box});
    const tinygltf::Model model = Written({KBrepTools::MakeCompound(copies)});

    ASSERT_EQ(model.meshes.size(), 1u);
    EXPECT_EQ(model.buffers.at(0).data.size(), one.buffers.at(0).data.size()) << "one copy's buffer";
    const std::vector<const tinygltf::Node*> nodes = InstanceNodes(model);
    ASSERT_EQ(nodes.size(), 1000u);
    EXPECT_TRUE(nodes[0]->matrix.empty()) << "no identity matrices";
    EXPECT_EQ(nodes[0]->name, "Solid 1");
    EXPECT_EQ(nodes[999]->name, "Solid 1000");
    EXPECT_NEAR(nodes[999]->matrix.at(12), 0.02 * 999, 1e-9);
    const tinygltf::Accessor& position =
        model.accessors.at(static_cast<std::size_t>(model.meshes[0].primitives.at(0).attributes.at("POSITION")));
    EXPECT_EQ(position.maxValues, (std::vector<double>{0.01f, 0.02f, 0.03f}));

    KGltfFileService inModelUnits;
    inModelUnits.SetModelUnit(1.0);
    EXPECT_NEAR(InstanceNodes(Written({KBrepTools::MakeCompound(copies)}, inModelUnits))[999]->matrix.at(12),
                20.0 * 999, 1e-9);
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
        const tinygltf::Primitive& surface = model.meshes.at(0).primitives.at(0);
        EXPECT_EQ(model.materials.at(static_cast<std::size_t>(surface.material)).doubleSided, doubleSided)
            << Kernel(shape).ShapeType();
    }
}

TEST(GltfExport, OptionsChooseUnitsTextureCoordinatesEdgesAndContainer)
{
    const ShapePtr box = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(1, 2, 3));
    KGltfFileService service;
    const tinygltf::Primitive plain = Written({box}, service).meshes.at(0).primitives.at(0);
    EXPECT_EQ(plain.attributes.count("TEXCOORD_0"), 0u);
    service.SetTextureCoordinates(true);
    service.SetEdges(false);
    const tinygltf::Model textured = Written({box}, service);
    EXPECT_EQ(textured.meshes.at(0).primitives.at(0).attributes.count("TEXCOORD_0"), 1u);
    for (const tinygltf::Primitive& primitive : textured.meshes.at(0).primitives)
        EXPECT_EQ(primitive.mode, TINYGLTF_MODE_TRIANGLES);

    // JSON with the buffer inside.
    const std::string json = service.Encode({box}, false);
    ASSERT_EQ(json.front(), '{');
    EXPECT_NE(json.find("data:application/octet-stream;base64,"), std::string::npos);
    EXPECT_EQ(Parsed(json, false).meshes.size(), 1u);

    KorrTest::ReportRecorder recorder;
    service.SetModelUnit(0);
    service.SetDeflection(-1);
    EXPECT_EQ(service.GetModelUnit(), 0.001);
    EXPECT_EQ(service.GetDeflection(), 0.0);
    EXPECT_EQ(recorder.messages(), (std::vector<std::string>{"Invalid Model Unit!", "Invalid Deflection!"}));
}

TEST(GltfExport, FailedSavesReportAndLeaveThePreviousFile)
{
    KorrTest::TempDir dir;
    const std::string path = dir.file("model.glb");
    KGltfFileService service;
    const ShapePtr box = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(1, 2, 3));
    service.SaveFile({box}, KorrTest::Wide(path));
    const std::string saved = KorrTest::ReadBytes(path);
    ASSERT_EQ(saved.substr(0, 4), "glTF");
    EXPECT_EQ(saved, service.Encode({box}, true));
    EXPECT_FALSE(service.LoadFile(KorrTest::Wide(path))) << "meshes are no B-rep";

    KorrTest::ReportRecorder recorder;
    // The mesher cannot resolve this deflection so far from the origin.
    service.SetDeflection(1e-3);
    const ShapePtr far = KFeatureTools::Translate(KBrepTools::MakeSphere(Vector3::ZERO, 1), Vector3(1e11, 0, 0));
    service.SaveFile({nullptr, far}, KorrTest::Wide(path));
    EXPECT_TRUE(service.Encode({far}, true).empty());
    service.SaveFile({box}, KorrTest::Wide(dir.file("model.obj")));
    service.SaveFile({box}, KorrTest::Wide(dir.file("missing/model.glb")));
    EXPECT_EQ(KorrTest::ReadBytes(path), saved);
    EXPECT_EQ(dir.entryCount(), 1u) << "nothing left behind";
    EXPECT_EQ(recorder.messages(),
              (std::vector<std::string>{"NULL TopoShape!", "Cannot mesh the shape!", "Cannot mesh the shape!",
                                        "Not a .glb or .gltf file!", "Cannot write the file!"}));
}

TEST(GltfExport, TheAs1AssemblyKeepsItsNamesColoursAndSharedParts)
{
    const std::string path = KorrTest::SharedExchangeFile("step/occt_trj6_as1-ug-214.stp");
    if (path.empty())
        GTEST_SKIP() << "shared data absent";
    const ShapePtr as1 = Xde::ReadInWorker(Xde::FileFormat::Step, path, {});
    ASSERT_TRUE(as1);
    const tinygltf::Model model = Written({as1});

    // Node names, and the mesh and colour each product gets.
    std::map<std::string, int> names;
    std::map<std::string, std::set<int>> meshes;
    std::map<std::string, std::vector<double>> colours;
    for (const tinygltf::Node* node : InstanceNodes(model)) {
        ++names[node->name];
        const tinygltf::Mesh& mesh = model.meshes.at(static_cast<std::size_t>(node->mesh));
        meshes[mesh.name].insert(node->mesh);
        colours[mesh.name] = BaseColour(model, mesh.primitives.at(0));
    }
    EXPECT_EQ(names, (std::map<std::string, int>{{"BOLT (bolt)", 6},
                                                 {"L_BRACKET (l_bracket)", 2},
                                                 {"NUT (nut)", 6},
                                                 {"NUT1 (nut)", 1},
                                                 {"NUT2 (nut)", 1},
                                                 {"PLATE (plate)", 1},
                                                 {"ROD (rod)", 1}}));
    EXPECT_EQ(model.meshes.size(), 5u);
    for (const auto& [product, shared] : meshes)
        EXPECT_EQ(shared.size(), 1u) << product << " is one mesh however often it is placed";
    EXPECT_EQ(colours["bolt"], (std::vector<double>{1, 0, 0, 1}));
    EXPECT_EQ(colours["nut"], (std::vector<double>{0, 1, 0, 1}));
    EXPECT_EQ(colours["plate"], (std::vector<double>{0, 0, 1, 1}));
    EXPECT_TRUE(OneTrianglePrimitivePerMaterial(model));

    // In metres: the plate, 180 mm long, from the model's millimetres.
    const KShapeMesh mesh = Meshed(as1);
    const auto plate = std::find_if(mesh.Parts.begin(), mesh.Parts.end(),
                                    [](const KMeshPart& part) { return part.Product == "plate"; });
    ASSERT_NE(plate, mesh.Parts.end());
    double longest = 0;
    for (std::size_t i = 0; i < plate->Positions.size(); i += 3)
        longest = std::max<double>(longest, plate->Positions[i]);
    const std::size_t plateMesh = static_cast<std::size_t>(*meshes["plate"].begin());
    const int position = model.meshes.at(plateMesh).primitives.at(0).attributes.at("POSITION");
    EXPECT_NEAR(model.accessors.at(static_cast<std::size_t>(position)).maxValues.at(0), 0.001 * longest, 1e-7);
    EXPECT_NEAR(longest, 180, 1);
}
