#include "support/Checks.h"

#include <BRepBuilderAPI_Copy.hxx>
#include <Poly_Triangulation.hxx>
#include <TopoDS_Iterator.hxx>

using namespace KorrCore;
using KorrTest::Holding;
using KorrTest::Kernel;
using KorrTest::Triple;

namespace {

KShapeMesh Meshed(const ShapePtr& shape, double deflection = 0.05, bool normalizeUV = false)
{
    KMeshOptions options;
    options.Deflection = deflection;
    options.NormalizeUV = normalizeUV;
    KShapeMesh mesh;
    EXPECT_TRUE(KShapeMesher::Mesh(shape, options, mesh));
    return mesh;
}

// A 10-cube with a spherical dimple cut into its top: the dimple's face is reversed.
ShapePtr Dimpled(double side = 10)
{
    return KFeatureTools::Boolean(KBrepTools::MakeBox({0, 0, 0}, {0, 0, 1}, {side, side, side}),
                                  KBrepTools::MakeSphere({side / 2, side / 2, side}, side / 3), BooleanCut);
}

// The shapes in one compound, the last reflected in the plane x = 0 by its
// location. The kernel takes such a location only when told to, and a handle
// cannot hold a shape placed by one: only inside a compound can it appear.
ShapePtr WithMirrorImage(const ShapeList& shapes, const ShapePtr& reflected)
{
    gp_Trsf mirror;
    mirror.SetMirror(gp_Ax2(gp::Origin(), gp::DX()));
    BRep_Builder builder;
    TopoDS_Compound compound;
    builder.MakeCompound(compound);
    for (const ShapePtr& shape : shapes)
        builder.Add(compound, Kernel(shape));
    builder.Add(compound, Kernel(reflected).Moved(TopLoc_Location(mirror), Standard_False));
    return Holding(compound);
}

} // namespace

TEST(KShapeMesher, EveryPlacementGivesAClosedMeshWoundOutwardOrInsideOutAndCopiesAreInstancesOfOne)
{
    for (const ShapePtr& base :
         {KBrepTools::MakeBox({1, 2, 3}, {0, 0, 1}, {4, 5, 6}), KBrepTools::MakeSphere({1, 2, 3}, 3), Dimpled()}) {
        const ShapePtr placements[] = {
            KFeatureTools::Rotation(base, {1, 0, 0}, {1, 1, 1}, 50),
            KFeatureTools::MakeMirror(base, {-7, 3, 11}, {-6, 4, 11}),
            KFeatureTools::Transform(base, {-1, 0, 0, 2, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}),
            WithMirrorImage({}, base), Holding(Kernel(base).Reversed())};
        for (const ShapePtr& placed : placements) {
            const KShapeMesh mesh = Meshed(placed);
            const KorrTest::PlacedTriangles drawn = KorrTest::Placed(mesh);
            ASSERT_GT(drawn.indices.size(), 30u);
            EXPECT_TRUE(KorrTest::WellFormed(mesh));
            EXPECT_TRUE(KorrTest::WellFormed(drawn.positions, drawn.normals, drawn.indices));
            // The solid's volume less what the chords cut off the curved faces; inside out, its negative.
            const double volume = KorrTest::Size(base) * (&placed == &placements[4] ? -1 : 1);
            EXPECT_NEAR(KorrTest::EnclosedVolume(drawn.positions, drawn.indices), volume, 0.06 * std::abs(volume));
        }
    }
    // Placed copies are instances of one mesh, unless they bring only some of it.
    const ShapePtr part = Dimpled();
    ShapeList copies;
    for (int k = 0; k < 50; ++k)
        copies.push_back(KFeatureTools::Translate(part, {20.0 * k, 0, 0}));
    const KShapeMesh row = Meshed(KBrepTools::MakeCompound(copies));
    ASSERT_EQ(row.Parts.size(), 1u);
    ASSERT_EQ(row.Instances.size(), 50u);
    EXPECT_TRUE(KorrTest::WellFormed(row));
    EXPECT_EQ(row.Parts[0].NodeCount(), Meshed(part).Parts.at(0).NodeCount());
    for (std::size_t k = 0; k < 50; ++k) {
        EXPECT_EQ(row.Instances[k].Part, 0u) << k;
        EXPECT_EQ(row.Instances[k].Placement(0, 3), 20.0 * k) << k;
        EXPECT_EQ(row.Instances[k].Placement(0, 0), 1) << k;
    }
    // Repeats are dropped, and so is the part's own shell, which brings
    // nothing new; a mirror image shares the mesh, a deep copy has geometry
    // of its own.
    const ShapePtr deep = Holding(BRepBuilderAPI_Copy(Kernel(part)).Shape());
    const ShapePtr shell = Holding(TopoDS_Iterator(Kernel(part)).Value());
    const KShapeMesh mixed = Meshed(WithMirrorImage({part, part, shell, deep}, part));
    std::vector<std::size_t> parts;
    for (const KMeshInstance& instance : mixed.Instances)
        parts.push_back(instance.Part);
    EXPECT_EQ(parts, (std::vector<std::size_t>{0, 1, 0}));
    EXPECT_EQ(mixed.Instances.back().Placement(0, 0), -1) << "the mirror image";
    EXPECT_TRUE(KorrTest::WellFormed(mixed));
    const KorrTest::PlacedTriangles drawn = KorrTest::Placed(mixed);
    EXPECT_TRUE(KorrTest::WellFormed(drawn.positions, drawn.normals, drawn.indices));
    EXPECT_GT(KorrTest::EnclosedVolume(drawn.positions, drawn.indices), 2.9 * KorrTest::Size(part));
}

TEST(KShapeMesher, FacesAreTheFaceExplorersTessellationsAndEdgesPolylinesOfTwoPointsOrMore)
{
    const ShapePtr shape = Dimpled();
    const KShapeMesh meshed = Meshed(shape, 0.05, true);
    ASSERT_EQ(meshed.Parts.size(), 1u);
    const KMeshPart& mesh = meshed.Parts[0];
    const ShapeList faces = KorrTest::FacesOf(shape);
    ASSERT_EQ(mesh.Faces.size(), faces.size());
    auto range = mesh.Faces.begin();
    for (const ShapePtr& face : faces) {
        std::vector<float> positions, normals, texCoords;
        std::vector<unsigned int> indices;
        ExplorFaceOptions options;
        options.Deflection = 0.05;
        options.NormalizeUV = true;
        ASSERT_TRUE(KTopoFaceExplor::Explor(face, positions, indices, normals, texCoords, options));
        const std::size_t node = range->Nodes.First, triangle = range->Triangles.First, nodes = range++->Nodes.Count;
        for (unsigned int& index : indices)
            index += node;
        ASSERT_EQ(positions.size(), 3 * nodes);
        EXPECT_TRUE(std::equal(positions.begin(), positions.end(), mesh.Positions.begin() + 3 * node));
        EXPECT_TRUE(std::equal(normals.begin(), normals.end(), mesh.Normals.begin() + 3 * node));
        EXPECT_TRUE(std::equal(texCoords.begin(), texCoords.end(), mesh.TexCoords.begin() + 2 * node));
        EXPECT_TRUE(std::equal(indices.begin(), indices.end(), mesh.Indices.begin() + 3 * triangle));
    }
    // Every edge is a polyline, but for the dimple's pole, a single point with nothing to draw.
    ASSERT_EQ(mesh.Edges.size(), KorrTest::EdgesOf(shape).size());
    EXPECT_EQ(
        std::count_if(mesh.Edges.begin(), mesh.Edges.end(), [](const KMeshRange& edge) { return edge.Count < 2; }), 1);
}

TEST(KShapeMesher, EdgesOnNoFaceAreSampledLikeTheEdgeExplorerDoesAndWiresHaveNothingElse)
{
    const ShapePtr loose = KBrepTools::MakeArc3Pts({5, 5, 5}, {7, 5, 5}, {6, 6, 5});
    std::vector<float> sampled;
    ASSERT_TRUE(KTopoEdgeExplor::Explor(loose, &sampled, 0.01));
    for (std::size_t i = 0; i < sampled.size() / 3; ++i) // on the arc's circle, of radius 1 about (6, 5, 5)
        EXPECT_NEAR((Triple(sampled, i) - gp_XYZ(6, 5, 5)).Modulus(), 1, 1e-6);
    const KShapeMesh mesh =
        Meshed(KBrepTools::MakeCompound({KBrepTools::MakeBox({0, 0, 0}, {0, 0, 1}, {1, 1, 1}), loose}), 0.01);
    ASSERT_EQ(mesh.Instances.size(), 2u);
    EXPECT_EQ(mesh.Instances.back().Edges.First + mesh.Instances.back().Edges.Count, 13u);
    const KMeshPart& looseMesh = mesh.Parts.at(mesh.Instances.back().Part);
    EXPECT_TRUE(looseMesh.Faces.empty());
    EXPECT_EQ(looseMesh.EdgePoints, sampled);
    // An edge alone has nothing else to mesh; an empty compound nothing to show.
    const KShapeMesh edge = Meshed(loose, 0.01), nothing = Meshed(KBrepTools::MakeCompound({}));
    ASSERT_EQ(edge.Parts.size(), 1u);
    EXPECT_TRUE(edge.Parts[0].Faces.empty());
    EXPECT_EQ(edge.Parts[0].EdgePoints, sampled);
    EXPECT_TRUE(KorrTest::WellFormed(edge));
    EXPECT_TRUE(nothing.Parts.empty());
    EXPECT_TRUE(nothing.Instances.empty());
}

TEST(KShapeMesher, WithoutADeflectionTheShapesSizeSetsItAndAFinerMeshIsKept)
{
    EXPECT_NEAR(Meshed(KBrepTools::MakeBox({0, 0, 0}, {0, 0, 1}, {10, 20, 30}), 0).Deflection, 0.004 * 30, 1e-9);
    const double small = Meshed(KBrepTools::MakeSphere({0, 0, 0}, 1), 0).Parts.at(0).TriangleCount();
    EXPECT_NEAR(Meshed(KBrepTools::MakeSphere({0, 0, 0}, 1000), 0).Parts.at(0).TriangleCount(), small, 0.1 * small);
    // A coarser mesh is not asked of a shape meshed finely.
    const ShapePtr shape = Dimpled();
    const KMeshPart fine = Meshed(shape, 0.02).Parts.at(0), again = Meshed(shape, 0.5).Parts.at(0);
    EXPECT_EQ(fine.Positions, again.Positions);
    EXPECT_EQ(fine.Indices, again.Indices);
    EXPECT_EQ(fine.EdgePoints, again.EdgePoints);
}

TEST(KShapeMesher, RefusedSettingsLeaveAnEmptyMeshAndATriangulationNamingNodesItLacksIsLeftOut)
{
    const ShapePtr box = KBrepTools::MakeBox({0, 0, 0}, {0, 0, 1}, {1, 1, 1});
    KorrTest::ReportRecorder recorder;
    for (const double value : {-0.1, std::nan(""), HUGE_VAL, 0.0}) {
        KMeshOptions deflection, angle;
        deflection.Deflection = angle.AngularDeflection = value;
        KShapeMesh mesh = Meshed(box);
        EXPECT_EQ(KShapeMesher::Mesh(box, deflection, mesh), value == 0.0);
        EXPECT_FALSE(KShapeMesher::Mesh(box, angle, mesh));
        EXPECT_TRUE(mesh.Parts.empty()) << value;
        EXPECT_TRUE(mesh.Instances.empty()) << value;
    }
    const std::string d = "Invalid Deflection!", a = "Invalid Angular Deflection!";
    EXPECT_EQ(recorder.messages(), (std::vector<std::string>{d, a, d, a, d, a, a}));
    // A host's damage to a face's triangulation, which a second meshing at
    // the same deflection keeps: its first triangle names a node 99 of 4.
    Meshed(box);
    TopLoc_Location location;
    const ShapePtr second = *std::next(KorrTest::FacesOf(box).begin());
    BRep_Tool::Triangulation(TopoDS::Face(Kernel(second)), location)->SetTriangle(1, Poly_Triangle(1, 2, 99));
    const KShapeMesh meshed = Meshed(box);
    ASSERT_EQ(meshed.Parts.size(), 1u);
    EXPECT_TRUE(KorrTest::WellFormed(meshed));
    const KMeshPart& mesh = meshed.Parts[0];
    ASSERT_EQ(mesh.Faces.size(), 6u);
    EXPECT_EQ(mesh.Faces[0].Triangles.Count, 2u);
    EXPECT_EQ(mesh.Faces[1].Triangles.Count, 0u);
    EXPECT_EQ(mesh.TriangleCount(), 10u);
}
