#include <KorrGeomCore/KorrGeomCore.h>

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepLib.hxx>
#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <GCE2d_MakeSegment.hxx>
#include <Geom_Plane.hxx>
#include <Poly_Triangulation.hxx>
#include <Standard_Failure.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Wire.hxx>
#include <gp_Trsf.hxx>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/CurveChecks.h"
#include "support/MeshChecks.h"
#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"

using namespace KorrCore;
using KMath::Vector2;
using KMath::Vector3;
using KorrTest::FacesOf;
using KorrTest::Holding;
using KorrTest::Kernel;
using KorrTest::ReportRecorder;

namespace {

struct FaceMesh {
    std::vector<float> positions, normals, texCoords;
    std::vector<unsigned int> indices;

    std::size_t NodeCount() const { return positions.size() / 3; }
    gp_XYZ Position(std::size_t node) const { return Triple(positions, node); }
    gp_XYZ Normal(std::size_t node) const { return Triple(normals, node); }
    static gp_XYZ Triple(const std::vector<float>& buffer, std::size_t i)
    {
        return gp_XYZ(buffer[3 * i], buffer[3 * i + 1], buffer[3 * i + 2]);
    }
    bool operator==(const FaceMesh& other) const
    {
        return positions == other.positions && normals == other.normals && texCoords == other.texCoords &&
               indices == other.indices;
    }
};

FaceMesh Tessellated(const ShapePtr& face, ExplorFaceOptions options = {})
{
    FaceMesh mesh;
    EXPECT_TRUE(KTopoFaceExplor::Explor(face, mesh.positions, mesh.indices, mesh.normals, mesh.texCoords, options));
    return mesh;
}

FaceMesh PointerTessellated(const ShapePtr& face, bool indexed = true, double deflection = 0.1)
{
    FaceMesh mesh;
    EXPECT_TRUE(KTopoFaceExplor::Explor(face, &mesh.positions, indexed ? &mesh.indices : nullptr, &mesh.normals,
                                        &mesh.texCoords, deflection));
    return mesh;
}

// 4 x 2 x 1: every face is a rectangle the mesher splits into two triangles.
ShapePtr Box() { return KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(4, 2, 1)); }
const gp_XYZ kBoxCentre(2, 1, 0.5);

const gp_XYZ kSphereCentre(1, 2, 3);
constexpr double kSphereRadius = 2;
ShapePtr SphereFace() { return FacesOf(KBrepTools::MakeSphere(Vector3(1, 2, 3), kSphereRadius)).front(); }

ShapePtr Located(const ShapePtr& shape, const gp_Trsf& transform)
{
    return Holding(Kernel(shape).Moved(TopLoc_Location(transform)));
}

Handle(Poly_Triangulation) TriangulationOf(const ShapePtr& face)
{
    TopLoc_Location location;
    return BRep_Tool::Triangulation(TopoDS::Face(Kernel(face)), location);
}

// The surface parameters the kernel's mesh holds for its nodes, as floats.
std::vector<float> KernelParameters(const ShapePtr& face)
{
    std::vector<float> parameters;
    const Handle(Poly_Triangulation) triangulation = TriangulationOf(face);
    for (int i = 1; !triangulation.IsNull() && i <= triangulation->NbNodes(); ++i) {
        parameters.push_back(static_cast<float>(triangulation->UVNode(i).X()));
        parameters.push_back(static_cast<float>(triangulation->UVNode(i).Y()));
    }
    return parameters;
}

// One triangle (0,0,0), (1,0,0), (0,1,0), with or without surface parameters.
Handle(Poly_Triangulation) UnitTriangle(bool withParameters)
{
    Handle(Poly_Triangulation) triangulation = new Poly_Triangulation(3, 1, withParameters);
    const gp_Pnt2d corners[] = {gp_Pnt2d(0, 0), gp_Pnt2d(1, 0), gp_Pnt2d(0, 1)};
    for (int i = 1; i <= 3; ++i) {
        triangulation->SetNode(i, gp_Pnt(corners[i - 1].X(), corners[i - 1].Y(), 0));
        if (withParameters)
            triangulation->SetUVNode(i, corners[i - 1]);
    }
    triangulation->SetTriangle(1, Poly_Triangle(1, 2, 3));
    return triangulation;
}

// A planar face of zero area: its wire runs from (0, 0) to (1, 0) and back, so
// its V range is empty. The mesher makes nothing of it.
ShapePtr SliverFace()
{
    const Handle(Geom_Plane) plane = new Geom_Plane(gp::XOY());
    BRep_Builder builder;
    TopoDS_Wire wire;
    builder.MakeWire(wire);
    for (auto [from, to] : {std::pair{gp_Pnt2d(0, 0), gp_Pnt2d(1, 0)}, std::pair{gp_Pnt2d(1, 0), gp_Pnt2d(0, 0)}}) {
        TopoDS_Edge edge = BRepBuilderAPI_MakeEdge(GCE2d_MakeSegment(from, to).Value(), plane);
        BRepLib::BuildCurves3d(edge);
        builder.Add(wire, edge);
    }
    TopoDS_Face face;
    builder.MakeFace(face, plane, Precision::Confusion());
    builder.Add(face, wire);
    return Holding(face);
}

ShapePtr WithTriangulation(const ShapePtr& face, const Handle(Poly_Triangulation) & triangulation)
{
    BRep_Builder().UpdateFace(TopoDS::Face(Kernel(face)), triangulation);
    return face;
}

::testing::AssertionResult Near(const gp_XYZ& actual, const gp_XYZ& expected, double tolerance)
{
    return KorrTest::PointNear(gp_Pnt(actual), gp_Pnt(expected), tolerance);
}

// Sizes agree with the node and triangle counts, and every index names a node.
::testing::AssertionResult Consistent(const FaceMesh& mesh)
{
    const std::size_t nodes = mesh.NodeCount();
    if (mesh.positions.size() != 3 * nodes || mesh.normals.size() != 3 * nodes || mesh.texCoords.size() != 2 * nodes ||
        mesh.indices.size() % 3 != 0)
        return ::testing::AssertionFailure() << "buffer sizes disagree";
    for (unsigned int index : mesh.indices)
        if (index >= nodes)
            return ::testing::AssertionFailure() << "index " << index << " of " << nodes << " nodes";
    return ::testing::AssertionSuccess();
}

std::pair<float, float> Range(const std::vector<float>& texCoords, std::size_t component)
{
    std::pair<float, float> range{texCoords[component], texCoords[component]};
    for (std::size_t i = component; i < texCoords.size(); i += 2) {
        range.first = std::min(range.first, texCoords[i]);
        range.second = std::max(range.second, texCoords[i]);
    }
    return range;
}

} // namespace

TEST(FaceTessellation, RectangleGivesFourNodesTwoTrianglesAndTheKernelsData)
{
    const ShapePtr face = FacesOf(Box()).front(); // x = 0, outward -X
    ExplorFaceOptions options;
    FaceMesh mesh;
    ASSERT_TRUE(KTopoFaceExplor::Explor(face, mesh.positions, mesh.indices, mesh.normals, mesh.texCoords, options));
    EXPECT_EQ(mesh.NodeCount(), 4u);
    EXPECT_EQ(mesh.indices.size(), 6u);
    EXPECT_TRUE(Consistent(mesh));

    const Handle(Poly_Triangulation) triangulation = TriangulationOf(face);
    ASSERT_FALSE(triangulation.IsNull());
    for (int i = 1; i <= triangulation->NbNodes(); ++i) {
        EXPECT_TRUE(Near(mesh.Position(i - 1), triangulation->Node(i).XYZ(), 1e-6));
        EXPECT_TRUE(Near(mesh.Normal(i - 1), gp_XYZ(-1, 0, 0), 1e-6));
    }
    EXPECT_EQ(mesh.texCoords, KernelParameters(face));

    double uMin, uMax, vMin, vMax;
    BRepTools::UVBounds(TopoDS::Face(Kernel(face)), uMin, uMax, vMin, vMax);
    EXPECT_EQ(options.UVMin, Vector2(uMin, vMin));
    EXPECT_EQ(options.UVMax, Vector2(uMax, vMax));
}

TEST(FaceTessellation, EveryBoxFaceIsWoundOutwardWhateverItsOrientation)
{
    bool sawReversed = false;
    for (const ShapePtr& face : FacesOf(Box())) {
        sawReversed |= Kernel(face).Orientation() == TopAbs_REVERSED;
        const FaceMesh mesh = Tessellated(face);
        EXPECT_TRUE(Consistent(mesh));
        EXPECT_TRUE(KorrTest::WindingFollowsNormals(mesh.positions, mesh.normals, mesh.indices));
        for (std::size_t i = 0; i < mesh.NodeCount(); ++i)
            EXPECT_GT(mesh.Normal(i).Dot(mesh.Position(i) - kBoxCentre), 0) << "normal points into the box";
    }
    EXPECT_TRUE(sawReversed) << "the box should hold reversed faces, or this test proves little";
}

TEST(FaceTessellation, SphereNormalsAreTheSurfaceNormalsEvenAtThePoles)
{
    const ShapePtr face = SphereFace();
    const FaceMesh mesh = Tessellated(face);
    ASSERT_GT(mesh.NodeCount(), 20u);
    EXPECT_TRUE(Consistent(mesh));
    EXPECT_TRUE(KorrTest::WindingFollowsNormals(mesh.positions, mesh.normals, mesh.indices));
    for (std::size_t i = 0; i < mesh.NodeCount(); ++i) {
        const gp_XYZ radial = (mesh.Position(i) - kSphereCentre) / kSphereRadius;
        EXPECT_TRUE(Near(mesh.Normal(i), radial, 1e-5)) << "node " << i;
    }
    // The mesh stays with the kernel shape, without shading normals of its own.
    const Handle(Poly_Triangulation) triangulation = TriangulationOf(Holding(Kernel(face)));
    ASSERT_FALSE(triangulation.IsNull());
    EXPECT_FALSE(triangulation->HasNormals());
}

TEST(FaceTessellation, ReversedFaceSwapsTheLastTwoIndicesAndLocatedFaceMovesAndTurns)
{
    const ShapePtr face = SphereFace();
    const FaceMesh forward = Tessellated(face);
    const FaceMesh reversed = Tessellated(Holding(Kernel(face).Reversed()));
    ASSERT_EQ(reversed.indices.size(), forward.indices.size());
    for (std::size_t t = 0; t < forward.indices.size(); t += 3) {
        EXPECT_EQ(reversed.indices[t], forward.indices[t]);
        EXPECT_EQ(reversed.indices[t + 1], forward.indices[t + 2]);
        EXPECT_EQ(reversed.indices[t + 2], forward.indices[t + 1]);
    }
    EXPECT_EQ(reversed.positions, forward.positions);
    ASSERT_EQ(reversed.normals.size(), forward.normals.size());
    for (std::size_t i = 0; i < forward.normals.size(); ++i)
        EXPECT_EQ(reversed.normals[i], -forward.normals[i]);

    // A located face moves its positions and turns its normals.
    const ShapePtr rectangle = FacesOf(Box()).front();
    const FaceMesh plain = Tessellated(rectangle);
    gp_Trsf shift;
    shift.SetTranslation(gp_Vec(10, 0, 0));
    const FaceMesh shifted = Tessellated(Located(rectangle, shift));
    ASSERT_EQ(shifted.NodeCount(), plain.NodeCount());
    for (std::size_t i = 0; i < plain.NodeCount(); ++i) {
        EXPECT_TRUE(Near(shifted.Position(i), plain.Position(i) + gp_XYZ(10, 0, 0), 1e-5));
        EXPECT_TRUE(Near(shifted.Normal(i), plain.Normal(i), 0));
    }

    // A quarter turn about Z carries the sphere's centre to (-2, 1, 3); shading
    // stays radial only if the normals turn with the positions.
    gp_Trsf turn;
    turn.SetRotation(gp::OZ(), M_PI / 2);
    const FaceMesh turned = Tessellated(Located(SphereFace(), turn));
    const gp_XYZ turnedCentre = gp_Pnt(kSphereCentre).Transformed(turn).XYZ();
    for (std::size_t i = 0; i < turned.NodeCount(); ++i)
        EXPECT_TRUE(Near(turned.Normal(i), (turned.Position(i) - turnedCentre) / kSphereRadius, 1e-5)) << i;
}

TEST(FaceTessellation, NormalizedTextureCoordinatesFollowScaleOffsetAndDivisor)
{
    using Span = std::pair<float, float>;
    // Each row adds one setting to those of the rows before it.
    const struct {
        void (*set)(ExplorFaceOptions&);
        Span u, v;
    } steps[] = {
        {[](ExplorFaceOptions& o) { o.NormalizeUV = true; }, {0.0f, 1.0f}, {0.0f, 1.0f}},
        {[](ExplorFaceOptions& o) { o.UVScale = Vector2(2, 2); }, {0.0f, 2.0f}, {0.0f, 2.0f}},
        {[](ExplorFaceOptions& o) { o.UVOffset = Vector2(0.5, 0); }, {-0.5f, 1.5f}, {0.0f, 2.0f}},
        {[](ExplorFaceOptions& o) { o.UVDivisor = Vector2(2, 2); }, {-0.25f, 0.75f}, {0.0f, 1.0f}},
    };
    const ShapePtr face = FacesOf(Box()).front();
    ExplorFaceOptions options;
    for (const auto& step : steps) {
        step.set(options);
        const FaceMesh mesh = Tessellated(face, options);
        EXPECT_EQ(Range(mesh.texCoords, 0), step.u);
        EXPECT_EQ(Range(mesh.texCoords, 1), step.v);
    }

    // Interior nodes of a curved face land inside the range too.
    ExplorFaceOptions sphereOptions;
    sphereOptions.NormalizeUV = true;
    const FaceMesh sphere = Tessellated(SphereFace(), sphereOptions);
    for (float coordinate : sphere.texCoords) {
        EXPECT_GE(coordinate, 0.0f);
        EXPECT_LE(coordinate, 1.0f);
    }
}

TEST(FaceTessellation, FaceWithoutAreaIsReportedUnlessTriangulatedAndKeepsRawTextureCoordinates)
{
    const ShapePtr sliver = SliverFace();
    ReportRecorder recorder;
    FaceMesh mesh;
    ExplorFaceOptions options;
    EXPECT_FALSE(KTopoFaceExplor::Explor(sliver, mesh.positions, mesh.indices, mesh.normals, mesh.texCoords, options));
    EXPECT_EQ(recorder.messages(), std::vector<std::string>{"Triangulation of the face is NULL"});
    EXPECT_FALSE(KTopoFaceExplor::Explor(sliver, &mesh.positions, &mesh.indices, &mesh.normals, &mesh.texCoords, 0.1));
    EXPECT_EQ(recorder.count(), 1u);

    // Given a triangulation along it, its empty V range leaves the coordinates raw.
    Handle(Poly_Triangulation) alongSliver = new Poly_Triangulation(3, 1, true);
    for (int i = 1; i <= 3; ++i) {
        const double u = (i - 1) / 2.0;
        alongSliver->SetNode(i, gp_Pnt(u, 0, 0));
        alongSliver->SetUVNode(i, gp_Pnt2d(u, 0));
    }
    alongSliver->SetTriangle(1, Poly_Triangle(1, 2, 3));
    WithTriangulation(sliver, alongSliver);
    options.NormalizeUV = true;
    ASSERT_TRUE(KTopoFaceExplor::Explor(sliver, mesh.positions, mesh.indices, mesh.normals, mesh.texCoords, options));
    EXPECT_EQ(options.UVMin, Vector2(0, 0));
    EXPECT_EQ(options.UVMax, Vector2(1, 0));
    EXPECT_EQ(mesh.texCoords, (std::vector<float>{0, 0, 0.5f, 0, 1, 0}));
}

TEST(FaceTessellation, NormalsComeFromTheTriangulationOrItsTrianglesWithoutParameters)
{
    // The unit triangle lies on the box's bottom face; both sides of it.
    const ShapeList faces = FacesOf(Box());
    const ShapePtr bottom = *std::find_if(faces.begin(), faces.end(),
                                          [](const ShapePtr& face) { return face->GetBBox().getMaximum().z < 0.5; });
    for (const ShapePtr& face : {bottom, Holding(Kernel(bottom).Reversed())}) {
        const double side = Kernel(face).Orientation() == TopAbs_REVERSED ? -1 : 1;
        Handle(Poly_Triangulation) carrying = UnitTriangle(true);
        carrying->AddNormals();
        for (int i = 1; i <= 3; ++i)
            carrying->SetNormal(i, gp_Dir(1, 1, 0));
        const FaceMesh kept = Tessellated(WithTriangulation(face, carrying));
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_TRUE(Near(kept.Normal(i), gp_XYZ(side * M_SQRT1_2, side * M_SQRT1_2, 0), 1e-6));

        const FaceMesh mesh = Tessellated(WithTriangulation(face, UnitTriangle(false)));
        EXPECT_EQ(mesh.NodeCount(), 3u);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_TRUE(Near(mesh.Normal(i), gp_XYZ(0, 0, side), 1e-7));
        EXPECT_TRUE(mesh.texCoords.empty());
        // The pointer form's normals need the parameters.
        FaceMesh pointer;
        EXPECT_FALSE(KTopoFaceExplor::Explor(face, &pointer.positions, &pointer.indices, &pointer.normals,
                                             &pointer.texCoords, 0.1));
        EXPECT_TRUE(pointer.positions.empty());
    }
}

TEST(FaceTessellation, SecondCallOnASmallerFaceReplacesEveryBuffer)
{
    const ShapePtr small = FacesOf(Box()).front();
    ExplorFaceOptions options;
    FaceMesh reused = Tessellated(SphereFace());
    ASSERT_GT(reused.NodeCount(), 4u);
    ASSERT_TRUE(
        KTopoFaceExplor::Explor(small, reused.positions, reused.indices, reused.normals, reused.texCoords, options));
    EXPECT_TRUE(reused == Tessellated(small));

    FaceMesh pointerReused = PointerTessellated(SphereFace());
    ASSERT_TRUE(KTopoFaceExplor::Explor(small, &pointerReused.positions, &pointerReused.indices, &pointerReused.normals,
                                        &pointerReused.texCoords, 0.1));
    EXPECT_TRUE(pointerReused == PointerTessellated(small));
}

TEST(FaceTessellation, NullShapeOrMissingBufferTouchesNothing)
{
    const FaceMesh untouched{{1}, {2}, {3}, {4}};
    for (const ShapePtr& nothing : {ShapePtr(), std::make_shared<KTopoShape>()}) {
        ReportRecorder recorder;
        FaceMesh mesh = untouched;
        ExplorFaceOptions options;
        options.UVMin = Vector2(7, 7);
        EXPECT_FALSE(
            KTopoFaceExplor::Explor(nothing, mesh.positions, mesh.indices, mesh.normals, mesh.texCoords, options));
        EXPECT_FALSE(
            KTopoFaceExplor::Explor(nothing, &mesh.positions, &mesh.indices, &mesh.normals, &mesh.texCoords, 0.1));
        EXPECT_TRUE(mesh == untouched);
        EXPECT_EQ(options.UVMin, Vector2(7, 7));
        EXPECT_EQ(recorder.messages(), (std::vector<std::string>{"This is not Face", "This is not Face"}));
    }
    // The pointer form needs positions, normals and texture coordinates to fill.
    const ShapePtr face = FacesOf(Box()).front();
    FaceMesh mesh;
    EXPECT_FALSE(KTopoFaceExplor::Explor(face, nullptr, &mesh.indices, &mesh.normals, &mesh.texCoords, 0.1));
    EXPECT_FALSE(KTopoFaceExplor::Explor(face, &mesh.positions, &mesh.indices, nullptr, &mesh.texCoords, 0.1));
    EXPECT_FALSE(KTopoFaceExplor::Explor(face, &mesh.positions, &mesh.indices, &mesh.normals, nullptr, 0.1));
    EXPECT_TRUE(mesh == FaceMesh{});
}

TEST(FaceTessellation, OtherKindsOfShapeRaiseTheKernelsTypeMismatch)
{
    ShapeList edges;
    ASSERT_TRUE(KTopoEdgeExplor::Explor(Box(), edges));
    for (const ShapePtr& notAFace : {Box(), edges.front()}) {
        ReportRecorder recorder;
        FaceMesh mesh;
        ExplorFaceOptions options;
        try {
            KTopoFaceExplor::Explor(notAFace, mesh.positions, mesh.indices, mesh.normals, mesh.texCoords, options);
            ADD_FAILURE() << "options form did not raise";
        } catch (const Standard_TypeMismatch& mismatch) {
            EXPECT_STREQ(mismatch.GetMessageString(), "TopoDS::Face");
        }
        EXPECT_THROW(KTopoFaceExplor::Explor(notAFace, &mesh.positions, nullptr, &mesh.normals, nullptr, 0.1),
                     Standard_TypeMismatch);
        EXPECT_EQ(recorder.count(), 0u);
        EXPECT_TRUE(mesh.positions.empty());
    }
}

TEST(FaceTessellation, DeflectionsTheMesherWouldHangOnAreRefused)
{
    // Found by fuzzing: far from the origin the mesher kept splitting edges
    // whose rounding noise exceeded the deflection, and never returned.
    const ShapePtr farFace =
        FacesOf(KFeatureTools::Translate(KBrepTools::MakeSphere(Vector3::ZERO, 1), Vector3(1e11, 0, 0))).front();
    for (auto [face, deflection] : {std::pair{SphereFace(), std::nan("")}, std::pair{farFace, 1e-3}}) {
        FaceMesh mesh;
        ExplorFaceOptions options;
        options.Deflection = deflection;
        EXPECT_FALSE(
            KTopoFaceExplor::Explor(face, mesh.positions, mesh.indices, mesh.normals, mesh.texCoords, options));
        EXPECT_FALSE(KTopoFaceExplor::Explor(face, &mesh.positions, nullptr, &mesh.normals, nullptr, deflection));
        EXPECT_TRUE(TriangulationOf(face).IsNull());
    }
    // A deflection the coordinates do resolve meshes as usual.
    FaceMesh mesh;
    ExplorFaceOptions options;
    options.Deflection = 1;
    EXPECT_TRUE(KTopoFaceExplor::Explor(farFace, mesh.positions, mesh.indices, mesh.normals, mesh.texCoords, options));
}

TEST(FaceTessellationPointerForm, IndexedResultKeepsTheSurfacesOwnOrientation)
{
    for (const ShapePtr& face : FacesOf(Box())) {
        const FaceMesh shaded = Tessellated(face);
        const FaceMesh raw = PointerTessellated(face);
        const bool reversed = Kernel(face).Orientation() == TopAbs_REVERSED;
        EXPECT_TRUE(Consistent(raw));
        EXPECT_EQ(raw.positions, shaded.positions);
        ASSERT_EQ(raw.normals.size(), shaded.normals.size());
        for (std::size_t i = 0; i < raw.normals.size(); ++i)
            EXPECT_FLOAT_EQ(raw.normals[i], reversed ? -shaded.normals[i] : shaded.normals[i]);
        if (!reversed) {
            EXPECT_EQ(raw.indices, shaded.indices);
        }
        EXPECT_EQ(raw.texCoords, KernelParameters(face));
    }
}

TEST(FaceTessellationPointerForm, TriangleSoupRepeatsCornersAndLeavesTextureCoordinatesAlone)
{
    const ShapePtr face = SphereFace();
    const FaceMesh indexed = PointerTessellated(face);
    FaceMesh soup;
    soup.texCoords = {42};
    ASSERT_TRUE(KTopoFaceExplor::Explor(face, &soup.positions, nullptr, &soup.normals, &soup.texCoords, 0.1));
    EXPECT_EQ(soup.positions.size(), 3 * indexed.indices.size());
    EXPECT_EQ(soup.normals.size(), 3 * indexed.indices.size());
    EXPECT_EQ(soup.texCoords, std::vector<float>{42});
    for (std::size_t corner = 0; corner < indexed.indices.size(); ++corner) {
        EXPECT_TRUE(Near(soup.Position(corner), indexed.Position(indexed.indices[corner]), 0));
        EXPECT_TRUE(Near(soup.Normal(corner), indexed.Normal(indexed.indices[corner]), 0));
    }
}

TEST(FaceTessellationPointerForm, VanishingDerivativesGiveTheFallbackNormal)
{
    const FaceMesh mesh = PointerTessellated(SphereFace());
    std::size_t poles = 0;
    for (std::size_t i = 0; i < mesh.NodeCount(); ++i) {
        const bool atPole = std::abs(std::abs(mesh.Position(i).Z() - kSphereCentre.Z()) - kSphereRadius) < 1e-6;
        if (atPole) {
            ++poles;
            EXPECT_TRUE(Near(mesh.Normal(i), gp_XYZ(0.5, 0, 0), 0));
        } else {
            EXPECT_NEAR(mesh.Normal(i).Modulus(), 1.0, 1e-6);
        }
    }
    EXPECT_GE(poles, 2u);
}
