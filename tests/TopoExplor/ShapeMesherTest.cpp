#include <KorrGeomCore/KorrGeomCore.h>

#include <BRepBuilderAPI_Copy.hxx>
#include <BRep_Builder.hxx>
#include <BRep_TEdge.hxx>
#include <BRep_Tool.hxx>
#include <Poly_PolygonOnTriangulation.hxx>
#include <Poly_Triangulation.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <gp_Ax2.hxx>
#include <gp_Trsf.hxx>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <set>
#include <thread>

#include "support/MeshChecks.h"
#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"
#include "support/TestProfiles.h"

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::Holding;
using KorrTest::Kernel;
using KorrTest::Triple;

namespace {

constexpr double kDeflection = 0.05;

KMeshOptions Options(double deflection = kDeflection)
{
    KMeshOptions options;
    options.Deflection = deflection;
    return options;
}

KShapeMesh Meshed(const ShapePtr& shape, const KMeshOptions& options = Options())
{
    KShapeMesh mesh;
    EXPECT_TRUE(KShapeMesher::Mesh(shape, options, mesh));
    return mesh;
}

::testing::AssertionResult SameBuffers(const KShapeMesh& a, const KShapeMesh& b)
{
    if (a.Parts.size() != b.Parts.size())
        return ::testing::AssertionFailure() << a.Parts.size() << " parts against " << b.Parts.size();
    for (std::size_t p = 0; p < a.Parts.size(); ++p) {
        const KMeshPart &x = a.Parts[p], &y = b.Parts[p];
        if (x.Positions != y.Positions || x.Normals != y.Normals || x.TexCoords != y.TexCoords ||
            x.Indices != y.Indices || x.EdgePoints != y.EdgePoints)
            return ::testing::AssertionFailure() << "buffers of part " << p << " differ";
    }
    return ::testing::AssertionSuccess();
}

// The one part of a shape that is one part, placed where it is.
const KMeshPart& OnlyPart(const KShapeMesh& mesh)
{
    EXPECT_EQ(mesh.Parts.size(), 1u);
    EXPECT_EQ(mesh.Instances.size(), 1u);
    static const KMeshPart none;
    return mesh.Parts.empty() ? none : mesh.Parts.front();
}

ShapePtr Box()
{
    return KBrepTools::MakeBox(Vector3(1, 2, 3), Vector3::UNIT_Z, Vector3(4, 5, 6));
}
ShapePtr Sphere()
{
    return KBrepTools::MakeSphere(Vector3(1, 2, 3), 3);
}
// A box with a spherical dimple cut into its top: the dimple's face is
// reversed in the result.
ShapePtr Dimpled(double side = 10)
{
    const ShapePtr block = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(side, side, side));
    const ShapePtr ball = KBrepTools::MakeSphere(Vector3(side / 2, side / 2, side), side / 3);
    return KFeatureTools::Boolean(block, ball, BooleanCut);
}

// The shapes in one compound, the second reflected in the plane x = 0 by its
// location. The kernel takes such a location only when told to, and a handle
// cannot hold a shape placed by one: only inside a compound can it appear.
ShapePtr WithMirrorImage(const ShapePtr& shape, const ShapePtr& reflected)
{
    gp_Trsf mirror;
    mirror.SetMirror(gp_Ax2(gp::Origin(), gp::DX()));
    BRep_Builder builder;
    TopoDS_Compound compound;
    builder.MakeCompound(compound);
    if (shape)
        builder.Add(compound, Kernel(shape));
    builder.Add(compound, Kernel(reflected).Moved(TopLoc_Location(mirror), Standard_False));
    return Holding(compound);
}

struct Case {
    std::string name;
    std::function<ShapePtr()> base;
    std::function<ShapePtr(const ShapePtr&)> placed;
    // Whether the mesh encloses the base's volume or is turned inside out.
    bool inward;
};

std::string CaseName(const ::testing::TestParamInfo<Case>& info) { return info.param.name; }
void PrintTo(const Case& shapeCase, std::ostream* out) { *out << shapeCase.name; }

std::vector<Case> Cases()
{
    const std::pair<const char*, std::function<ShapePtr()>> bases[] = {
        {"Box", Box}, {"Sphere", Sphere}, {"Dimpled", [] { return Dimpled(); }}};
    const std::tuple<const char*, std::function<ShapePtr(const ShapePtr&)>, bool> placements[] = {
        {"", [](const ShapePtr& s) { return s; }, false},
        {"Rotated",
         [](const ShapePtr& s) { return KFeatureTools::Rotation(s, Vector3(1, 0, 0), Vector3(1, 1, 1), 50); }, false},
        {"Translated", [](const ShapePtr& s) { return KFeatureTools::Translate(s, Vector3(-7, 3, 11)); }, false},
        {"HalfTurned",
         [](const ShapePtr& s) { return KFeatureTools::MakeMirror(s, Vector3(0, 0, 0), Vector3(1, 1, 0)); }, false},
        {"ReflectedGeometry",
         [](const ShapePtr& s) {
             return KFeatureTools::Transform(s, KMath::Matrix4(-1, 0, 0, 2, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1));
         },
         false},
        {"MirroringLocation", [](const ShapePtr& s) { return WithMirrorImage(nullptr, s); }, false},
        {"Reversed", [](const ShapePtr& s) { return Holding(Kernel(s).Reversed()); }, true},
    };
    std::vector<Case> cases;
    for (const auto& [baseName, base] : bases)
        for (const auto& [placementName, placed, inward] : placements)
            cases.push_back({std::string(baseName) + placementName, base, placed, inward});
    return cases;
}

class EveryPlacement : public ::testing::TestWithParam<Case> {};

} // namespace

TEST_P(EveryPlacement, WindingAgreesWithNormalsAndTheSolidClosesOutward)
{
    const ShapePtr base = GetParam().base();
    ASSERT_TRUE(base);
    const ShapePtr shape = GetParam().placed(base);
    ASSERT_TRUE(shape);
    const KShapeMesh mesh = Meshed(shape);
    EXPECT_TRUE(KorrTest::RangesCoverEverything(mesh));
    const KorrTest::PlacedTriangles placed = KorrTest::Placed(mesh);
    ASSERT_GT(placed.indices.size(), 30u);
    EXPECT_TRUE(KorrTest::WindingFollowsNormals(placed.positions, placed.normals, placed.indices));
    EXPECT_TRUE(KorrTest::WatertightAfterWelding(placed.positions, placed.indices));
    // Winding outward encloses the solid's volume, less what the chords cut
    // off the curved faces; inside out, its negative.
    const double volume = KorrTest::Volume(base);
    EXPECT_NEAR(KorrTest::EnclosedVolume(placed.positions, placed.indices), GetParam().inward ? -volume : volume,
                kDeflection * KorrTest::Area(base));
}

INSTANTIATE_TEST_SUITE_P(ShapeMesher, EveryPlacement, ::testing::ValuesIn(Cases()), CaseName);

TEST(ShapeMesher, EachFaceIsTheFaceTessellationOfTheListedFace)
{
    const ShapePtr shape = Dimpled();
    KMeshOptions options = Options();
    options.NormalizeUV = true;
    const KShapeMesh meshed = Meshed(shape, options);
    const KMeshPart& mesh = OnlyPart(meshed);

    ShapeList faces;
    ASSERT_TRUE(KTopoFaceExplor::Explor(shape, faces));
    ASSERT_EQ(mesh.Faces.size(), faces.size());
    ExplorFaceOptions faceOptions;
    faceOptions.Deflection = kDeflection;
    faceOptions.NormalizeUV = true;
    std::size_t f = 0;
    for (const ShapePtr& face : faces) {
        const KMeshFace& range = mesh.Faces[f++];
        std::vector<float> positions, normals, texCoords;
        std::vector<unsigned int> indices;
        ASSERT_TRUE(KTopoFaceExplor::Explor(face, positions, indices, normals, texCoords, faceOptions));
        const auto firstNode = static_cast<std::ptrdiff_t>(range.Nodes.First);
        const auto endNode = firstNode + static_cast<std::ptrdiff_t>(range.Nodes.Count);
        EXPECT_EQ(positions,
                  std::vector<float>(mesh.Positions.begin() + 3 * firstNode, mesh.Positions.begin() + 3 * endNode));
        EXPECT_EQ(normals,
                  std::vector<float>(mesh.Normals.begin() + 3 * firstNode, mesh.Normals.begin() + 3 * endNode));
        EXPECT_EQ(texCoords,
                  std::vector<float>(mesh.TexCoords.begin() + 2 * firstNode, mesh.TexCoords.begin() + 2 * endNode));
        ASSERT_EQ(indices.size(), 3 * range.Triangles.Count);
        for (std::size_t i = 0; i < indices.size(); ++i)
            EXPECT_EQ(mesh.Indices[3 * range.Triangles.First + i], indices[i] + range.Nodes.First);
    }
    for (float uv : mesh.TexCoords) {
        EXPECT_GE(uv, -1e-6f);
        EXPECT_LE(uv, 1 + 1e-6f);
    }
}

TEST(ShapeMesher, EdgesRunThroughTheFaceNodesFromVertexToVertex)
{
    const ShapePtr shape = Dimpled();
    const KShapeMesh meshed = Meshed(shape);
    const KMeshPart& mesh = OnlyPart(meshed);
    ShapeList edges;
    ASSERT_TRUE(KTopoEdgeExplor::Explor(shape, edges));
    ASSERT_EQ(mesh.Edges.size(), edges.size());

    std::set<std::array<float, 3>> nodes;
    for (std::size_t i = 0; i < mesh.NodeCount(); ++i)
        nodes.insert({mesh.Positions[3 * i], mesh.Positions[3 * i + 1], mesh.Positions[3 * i + 2]});
    std::size_t e = 0;
    for (const ShapePtr& edge : edges) {
        const KMeshRange& range = mesh.Edges[e++];
        const TopoDS_Edge& kernelEdge = TopoDS::Edge(Kernel(edge));
        if (BRep_Tool::Degenerated(kernelEdge)) {
            EXPECT_EQ(range.Count, 0u);
            continue;
        }
        ASSERT_GE(range.Count, 2u) << "edge " << e - 1;
        for (std::size_t p = range.First; p < range.First + range.Count; ++p)
            EXPECT_TRUE(nodes.count({mesh.EdgePoints[3 * p], mesh.EdgePoints[3 * p + 1], mesh.EdgePoints[3 * p + 2]}))
                << "edge " << e - 1 << " point " << p - range.First << " is no node of the faces";
        const gp_XYZ ends[] = {BRep_Tool::Pnt(TopExp::FirstVertex(kernelEdge)).XYZ(),
                               BRep_Tool::Pnt(TopExp::LastVertex(kernelEdge)).XYZ()};
        const gp_XYZ first = Triple(mesh.EdgePoints, range.First),
                     last = Triple(mesh.EdgePoints, range.First + range.Count - 1);
        const bool forward = (first - ends[0]).Modulus() < 1e-5 && (last - ends[1]).Modulus() < 1e-5;
        const bool backward = (first - ends[1]).Modulus() < 1e-5 && (last - ends[0]).Modulus() < 1e-5;
        EXPECT_TRUE(forward || backward) << "edge " << e - 1 << " does not run between its vertices";
    }
}

TEST(ShapeMesher, EdgesOnNoFaceAreSampledAndDegeneratedOnesLeftEmpty)
{
    const ShapePtr boxAndEdge = KorrTest::BoxWithLooseEdge();
    const KShapeMesh mesh = Meshed(boxAndEdge, Options(0.01));
    ShapeList edges;
    ASSERT_TRUE(KTopoEdgeExplor::Explor(boxAndEdge, edges));
    ASSERT_EQ(edges.size(), 13u);
    EXPECT_TRUE(KorrTest::RangesCoverEverything(mesh));
    ASSERT_EQ(mesh.Instances.size(), 2u);
    EXPECT_EQ(mesh.Instances.back().Edges.First + mesh.Instances.back().Edges.Count, 13u);
    std::vector<float> sampled;
    ASSERT_TRUE(KTopoEdgeExplor::Explor(edges.back(), &sampled, 0.01));
    EXPECT_EQ(mesh.Parts.at(mesh.Instances.back().Part).EdgePoints, sampled);

    // A sphere's edges: the seam, and the two poles, which are single points.
    const KShapeMesh sphere = Meshed(Sphere());
    ASSERT_EQ(OnlyPart(sphere).Edges.size(), 3u);
    std::size_t empty = 0;
    for (const KMeshRange& edge : OnlyPart(sphere).Edges)
        empty += edge.Count == 0;
    EXPECT_EQ(empty, 2u);

    // A wire has edges and nothing to mesh.
    const KShapeMesh wire =
        Meshed(KorrTest::PolylineWire({Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(1, 1, 0)}, true));
    EXPECT_TRUE(OnlyPart(wire).Faces.empty());
    EXPECT_EQ(OnlyPart(wire).TriangleCount(), 0u);
    ASSERT_EQ(OnlyPart(wire).Edges.size(), 3u);
    EXPECT_TRUE(KorrTest::RangesCoverEverything(wire));

    // An empty compound has nothing to show, which is no failure.
    const KShapeMesh nothing = Meshed(KBrepTools::MakeCompound({}));
    EXPECT_TRUE(nothing.Parts.empty() && nothing.Instances.empty());
}

TEST(ShapeMesher, HandMadeTrianglesNamingMissingNodesAreLeftOut)
{
    // A triangle face carrying a triangulation of its own, complete with the
    // edges' polygons on it, so that nothing is meshed again; its one
    // triangle names a node 7 of 3.
    const ShapePtr face = KorrTest::PolygonFace({Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0)});
    const Handle(Poly_Triangulation) triangulation = new Poly_Triangulation(3, 1, Standard_True);
    const gp_Pnt corners[] = {gp_Pnt(0, 0, 0), gp_Pnt(1, 0, 0), gp_Pnt(0, 1, 0)};
    for (int i = 1; i <= 3; ++i) {
        triangulation->SetNode(i, corners[i - 1]);
        triangulation->SetUVNode(i, gp_Pnt2d(corners[i - 1].X(), corners[i - 1].Y()));
    }
    triangulation->SetTriangle(1, Poly_Triangle(1, 2, 7));
    BRep_Builder builder;
    const TopoDS_Face& kernelFace = TopoDS::Face(Kernel(face));
    builder.UpdateFace(kernelFace, triangulation);
    for (TopExp_Explorer edges(kernelFace, TopAbs_EDGE); edges.More(); edges.Next()) {
        const TopoDS_Edge& edge = TopoDS::Edge(edges.Current());
        TColStd_Array1OfInteger ends(1, 2);
        for (int i = 1; i <= 3; ++i) {
            if (BRep_Tool::Pnt(TopExp::FirstVertex(edge)).Distance(corners[i - 1]) < 1e-9)
                ends(1) = i;
            if (BRep_Tool::Pnt(TopExp::LastVertex(edge)).Distance(corners[i - 1]) < 1e-9)
                ends(2) = i;
        }
        builder.UpdateEdge(edge, new Poly_PolygonOnTriangulation(ends), triangulation, TopLoc_Location());
    }

    const KShapeMesh meshed = Meshed(face, Options(0.1));
    const KMeshPart& mesh = OnlyPart(meshed);
    TopLoc_Location location;
    EXPECT_EQ(BRep_Tool::Triangulation(kernelFace, location), triangulation) << "the face was meshed again";
    ASSERT_EQ(mesh.Faces.size(), 1u);
    EXPECT_EQ(mesh.Faces[0].Triangles.Count, 0u);
    EXPECT_EQ(mesh.TriangleCount(), 0u);
    EXPECT_EQ(mesh.NodeCount(), 0u);
    // Without the face's nodes the edges fall back to their curves.
    ASSERT_EQ(mesh.Edges.size(), 3u);
    for (const KMeshRange& edge : mesh.Edges)
        EXPECT_EQ(edge.Count, 2u);
}

TEST(ShapeMesher, SerialAndParallelMeshingGiveTheSameBuffers)
{
    KMeshOptions serial = Options(0.02), parallel = Options(0.02);
    serial.Parallel = false;
    parallel.Parallel = true;
    EXPECT_TRUE(SameBuffers(Meshed(Dimpled(), serial), Meshed(Dimpled(), parallel)));
}

TEST(ShapeMesher, CallingAgainLeavesTheShapesDataAsItWas)
{
    const ShapePtr shape = Dimpled();
    const auto state = [&shape] {
        // Each face's triangulation and each edge's list of representations.
        std::vector<const void*> triangulations;
        std::vector<int> representations;
        TopTools_IndexedMapOfShape faces, edges;
        TopExp::MapShapes(Kernel(shape), TopAbs_FACE, faces);
        TopExp::MapShapes(Kernel(shape), TopAbs_EDGE, edges);
        for (int i = 1; i <= faces.Extent(); ++i) {
            TopLoc_Location location;
            triangulations.push_back(BRep_Tool::Triangulation(TopoDS::Face(faces(i)), location).get());
        }
        for (int i = 1; i <= edges.Extent(); ++i)
            representations.push_back(Handle(BRep_TEdge)::DownCast(edges(i).TShape())->Curves().Extent());
        return std::make_pair(triangulations, representations);
    };
    for (const double deflection : {0.05, 0.0}) {
        const KShapeMesh first = Meshed(shape, Options(deflection));
        const auto before = state();
        EXPECT_EQ(std::count(before.first.begin(), before.first.end(), nullptr), 0);
        const KShapeMesh second = Meshed(shape, Options(deflection));
        EXPECT_EQ(state(), before) << "deflection " << deflection;
        EXPECT_TRUE(SameBuffers(first, second));
    }
    // A coarser mesh is not asked of a shape already meshed finely.
    const auto fine = state();
    Meshed(shape, Options(0.5));
    EXPECT_EQ(state(), fine);
}

TEST(ShapeMesher, WithoutDeflectionTheShapesSizeSetsIt)
{
    const ShapePtr box = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(10, 20, 30));
    EXPECT_NEAR(Meshed(box, Options(0)).Deflection, 0.004 * 30, 1e-6);
    EXPECT_EQ(Meshed(box, Options(0.25)).Deflection, 0.25);

    // The same sphere meshed coarsely when small and finely when large has
    // about as many triangles either way.
    const std::size_t small = OnlyPart(Meshed(KBrepTools::MakeSphere(Vector3::ZERO, 1), Options(0))).TriangleCount();
    const std::size_t large = OnlyPart(Meshed(KBrepTools::MakeSphere(Vector3::ZERO, 1000), Options(0))).TriangleCount();
    EXPECT_NEAR(static_cast<double>(large), static_cast<double>(small), 0.1 * static_cast<double>(small));
}

TEST(ShapeMesher, LocatedCopiesAreInstancesOfOnePartHeldOnce)
{
    const ShapePtr part = Dimpled();
    ShapeList copies;
    for (int k = 0; k < 50; ++k)
        copies.push_back(KFeatureTools::Translate(part, Vector3(20.0 * k, 0, 0)));
    const ShapePtr row = KBrepTools::MakeCompound(copies);
    const KShapeMesh mesh = Meshed(row);

    ASSERT_EQ(mesh.Parts.size(), 1u) << "one part's buffers for fifty copies";
    EXPECT_EQ(mesh.Parts[0].NodeCount(), OnlyPart(Meshed(part)).NodeCount());
    ASSERT_EQ(mesh.Instances.size(), 50u);
    EXPECT_TRUE(KorrTest::RangesCoverEverything(mesh));
    const KMeshInstance& last = mesh.Instances.back();
    EXPECT_EQ(last.Faces.First + last.Faces.Count, static_cast<std::size_t>(KorrTest::CountDistinct(row, TopAbs_FACE)));
    EXPECT_EQ(last.Edges.First + last.Edges.Count, static_cast<std::size_t>(KorrTest::CountDistinct(row, TopAbs_EDGE)));
    for (std::size_t k = 0; k < 50; ++k) {
        const KMeshInstance& instance = mesh.Instances[k];
        EXPECT_EQ(instance.Part, 0u);
        EXPECT_DOUBLE_EQ(instance.Placement(0, 3), 20.0 * k);
        EXPECT_DOUBLE_EQ(instance.Placement(0, 0), 1.0);
    }
    EXPECT_NEAR(KorrTest::EnclosedVolume(KorrTest::Placed(mesh).positions, KorrTest::Placed(mesh).indices),
                50 * KorrTest::Volume(part), 50 * kDeflection * KorrTest::Area(part));
}

TEST(ShapeMesher, RepeatsAreDroppedWhileMirroredAndDeepCopiesStayApart)
{
    const ShapePtr part = Dimpled();
    const ShapePtr deep = Holding(BRepBuilderAPI_Copy(Kernel(part)).Shape());
    // The part's own shell brings nothing the part has not brought.
    const ShapePtr shell = Holding(TopExp_Explorer(Kernel(part), TopAbs_SHELL).Current());
    const KShapeMesh mesh = Meshed(KBrepTools::MakeCompound({part, WithMirrorImage(part, part), shell, deep}));

    ASSERT_EQ(mesh.Instances.size(), 3u);
    EXPECT_EQ(mesh.Instances[0].Part, 0u);
    EXPECT_EQ(mesh.Instances[1].Part, 0u) << "a mirror image shares the mesh";
    EXPECT_EQ(mesh.Instances[2].Part, 1u) << "a deep copy has geometry of its own";
    EXPECT_DOUBLE_EQ(mesh.Instances[1].Placement(0, 0), -1.0);
    EXPECT_EQ(mesh.Instances[2].Faces.First, 2 * static_cast<std::size_t>(KorrTest::CountDistinct(part, TopAbs_FACE)));
    EXPECT_TRUE(KorrTest::RangesCoverEverything(mesh));
    const KorrTest::PlacedTriangles placed = KorrTest::Placed(mesh);
    EXPECT_TRUE(KorrTest::WindingFollowsNormals(placed.positions, placed.normals, placed.indices));
    EXPECT_GT(KorrTest::EnclosedVolume(placed.positions, placed.indices), 2.9 * KorrTest::Volume(part));
}

TEST(ShapeMesher, ThreadsMeshDifferentShapesAtOnce)
{
    std::vector<ShapePtr> shapes, twins;
    for (int k = 0; k < 4; ++k) {
        shapes.push_back(Dimpled(10.0 + k));
        twins.push_back(Dimpled(10.0 + k));
    }
    std::vector<KShapeMesh> meshes(shapes.size());
    std::vector<std::thread> threads;
    for (std::size_t k = 0; k < shapes.size(); ++k)
        threads.emplace_back([&, k] { KShapeMesher::Mesh(shapes[k], Options(0.02), meshes[k]); });
    for (std::thread& thread : threads)
        thread.join();
    for (std::size_t k = 0; k < shapes.size(); ++k)
        EXPECT_TRUE(SameBuffers(meshes[k], Meshed(twins[k], Options(0.02)))) << "shape " << k;
}

TEST(ShapeMesher, RefusedInputsAreReportedAndLeaveAnEmptyMesh)
{
    KShapeMesh mesh = Meshed(Box());
    ASSERT_GT(OnlyPart(mesh).NodeCount(), 0u);
    KorrTest::ReportRecorder recorder;
    EXPECT_FALSE(KShapeMesher::Mesh(nullptr, Options(), mesh));
    EXPECT_TRUE(mesh.Parts.empty() && mesh.Instances.empty());
    EXPECT_FALSE(KShapeMesher::Mesh(std::make_shared<KTopoShape>(), Options(), mesh));
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    for (const double deflection : {-0.1, nan, inf})
        EXPECT_FALSE(KShapeMesher::Mesh(Box(), Options(deflection), mesh)) << deflection;
    for (const double angle : {0.0, nan, inf}) {
        KMeshOptions options = Options();
        options.AngularDeflection = angle;
        EXPECT_FALSE(KShapeMesher::Mesh(Box(), options, mesh)) << angle;
    }
    EXPECT_EQ(recorder.messages(),
              (std::vector<std::string>{"Null TopoShape!", "Null Shape!", "Invalid Deflection!", "Invalid Deflection!",
                                        "Invalid Deflection!", "Invalid Angular Deflection!",
                                        "Invalid Angular Deflection!", "Invalid Angular Deflection!"}));
    EXPECT_EQ(recorder.reports().front().file, "TopoExplor/KShapeMesher");
}
