// What every mesher entry point (the face explorer's two forms, the edge
// explorer, the whole-shape mesher) refuses before the kernel's mesher, which
// would take minutes or never return: deflections the shape's coordinates
// cannot resolve, and faces whose edges contradict their own parameter range.

#include "support/Checks.h"

#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_Copy.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakeSphere.hxx>
#include <Geom_Circle.hxx>
#include <Geom2d_BSplineCurve.hxx>
#include <Geom2d_Curve.hxx>
#include <Geom2d_Line.hxx>
#include <Geom_BSplineCurve.hxx>
#include <GeomConvert.hxx>
#include <Geom_BSplineSurface.hxx>
#include <Geom_Plane.hxx>
#include <Geom_RectangularTrimmedSurface.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>

#include "Internal/Core/DisplayBounds.h"
#include "Internal/Core/MeshPreconditions.h"

using namespace KorrCore;

namespace {

// Whether each entry point meshes the shape's first face, its first edge and
// the shape itself (into `whole`, when given) at the deflection; a failed one
// leaves its buffer empty.
std::vector<bool> MeshEverywhere(const ShapePtr& shape, double deflection, KShapeMesh* whole = nullptr)
{
    const ShapePtr face = KorrTest::FacesOf(shape).front();
    std::vector<float> positions, points, normals, texCoords;
    std::vector<unsigned int> indices;
    ExplorFaceOptions options;
    KMeshOptions meshOptions;
    options.Deflection = meshOptions.Deflection = deflection;
    KShapeMesh mesh;
    const std::vector<bool> meshed = {
        KTopoFaceExplor::Explor(face, positions, indices, normals, texCoords, options),
        KTopoFaceExplor::Explor(face, &positions, &indices, &normals, &texCoords, deflection),
        KTopoEdgeExplor::Explor(KorrTest::EdgesOf(shape).front(), &points, deflection),
        KShapeMesher::Mesh(shape, meshOptions, mesh)};
    EXPECT_NE(positions.empty(), meshed[0]);
    EXPECT_NE(points.empty(), meshed[2]);
    EXPECT_NE(mesh.Parts.empty(), meshed[3]);
    if (whole)
        *whole = mesh;
    return meshed;
}

} // namespace

TEST(MeshPreconditions, DeflectionsTheCoordinatesCannotResolveAreRefusedEverywhere)
{
    // Found by fuzzing: far from the origin the mesher kept splitting edges
    // whose rounding noise exceeded the deflection, and never returned.
    const ShapePtr near = KBrepTools::MakeCylinder({0, 0, 0}, {0, 0, 1}, 1, 1, 0);
    const ShapePtr far = KFeatureTools::Translate(near, {1e11, 0, 0});
    KorrTest::ReportRecorder quiet;
    EXPECT_EQ(MeshEverywhere(far, 1e-3), std::vector<bool>(4, false));
    EXPECT_EQ(MeshEverywhere(near, std::nan("")), std::vector<bool>(4, false));
    EXPECT_EQ(MeshEverywhere(far, 1), std::vector<bool>(4, true));
    // The check itself, which the entry points' later checks partly stand in for.
    EXPECT_FALSE(MeetableDeflection(std::nan(""), KorrTest::Kernel(near)));
    EXPECT_TRUE(MeetableDeflection(1e-3, KorrTest::Kernel(near)));
}

TEST(MeshPreconditions, AFaceWhoseEdgeContradictsItsOwnRangeIsLeftUnmeshed)
{
    // Found by fuzzing the file reader: a cone's edge stores the range 0..3838
    // on the face while claiming its own range 0..3.16 there. The file parses,
    // but the mesher took 47 s on the face.
    const ShapePtr shape = KBrepTools::ReadBrepFile(
        KorrTest::Wide(KORRGEOM_CORPUS_DIR "/read_brep/regression-cone-edge-range-mismatch"), nullptr);
    ASSERT_EQ(KorrTest::FacesOf(shape).size(), 3u);
    KorrTest::ReportRecorder recorder;
    KShapeMesh mesh;
    EXPECT_EQ(MeshEverywhere(shape, 36, &mesh), (std::vector<bool>{false, false, true, true}));
    EXPECT_EQ(recorder.messages(), std::vector<std::string>{"Triangulation of the face is NULL"});
    ASSERT_FALSE(mesh.Parts.empty());
    ASSERT_EQ(mesh.Parts[0].Faces.size(), 3u);
    EXPECT_EQ(mesh.Parts[0].Faces[0].Triangles.Count, 0u);
    EXPECT_GT(mesh.Parts[0].Faces[1].Triangles.Count, 0u);
}

namespace {

// A 10-cube's first face, copied so that damaging it leaves the builders' shapes alone.
TopoDS_Face CubeFace()
{
    const TopoDS_Shape cube = BRepBuilderAPI_Copy(BRepPrimAPI_MakeBox(10, 10, 10).Shape()).Shape();
    return TopoDS::Face(TopExp_Explorer(cube, TopAbs_FACE).Current());
}

TopoDS_Edge FirstEdge(const TopoDS_Face& face) { return TopoDS::Edge(TopExp_Explorer(face, TopAbs_EDGE).Current()); }

// The face's first edge with its curve on the face moved by (du, dv).
TopoDS_Face WithCurveOnFaceMoved(double du, double dv)
{
    const TopoDS_Face face = CubeFace();
    const TopoDS_Edge edge = FirstEdge(face);
    Standard_Real first, last;
    const Handle(Geom2d_Curve) moved =
        Handle(Geom2d_Curve)::DownCast(BRep_Tool::CurveOnSurface(edge, face, first, last)->Translated(gp_Vec2d(du, dv)));
    BRep_Builder().UpdateEdge(edge, moved, face, BRep_Tool::Tolerance(edge));
    return face;
}

// The face's plane as a patch of B-spline pieces, one inner pole of which is
// lifted off the plane by `lift`: its border, where the edges lie, stays.
TopoDS_Face WithInnerPoleLifted(double lift)
{
    const TopoDS_Face face = CubeFace();
    Standard_Real u0, u1, v0, v1;
    BRepTools::UVBounds(face, u0, u1, v0, v1);
    Handle(Geom_BSplineSurface) patch = GeomConvert::SurfaceToBSplineSurface(
        new Geom_RectangularTrimmedSurface(BRep_Tool::Surface(face), u0, u1, v0, v1));
    patch->IncreaseDegree(3, 3);
    const gp_Pnt pole = patch->Pole(2, 2);
    const gp_Dir normal = Handle(Geom_Plane)::DownCast(BRep_Tool::Surface(face))->Axis().Direction();
    patch->SetPole(2, 2, pole.Translated(lift * gp_Vec(normal)));
    BRep_Builder().UpdateFace(face, patch, TopLoc_Location(), BRep_Tool::Tolerance(face));
    return face;
}

// The face's first edge with a curve on the face that leaves its ends where
// they were but bows out by `bow` in the middle.
TopoDS_Face WithCurveOnFaceBowed(double bow)
{
    const TopoDS_Face face = CubeFace();
    const TopoDS_Edge edge = FirstEdge(face);
    Standard_Real first, last;
    const Handle(Geom2d_Curve) straight = BRep_Tool::CurveOnSurface(edge, face, first, last);
    const gp_Pnt2d a = straight->Value(first), b = straight->Value(last);
    const gp_Vec2d across = gp_Vec2d(a, b).Normalized().Rotated(M_PI / 2) * (2 * bow);
    TColgp_Array1OfPnt2d poles(1, 3);
    poles(1) = a, poles(2) = gp_Pnt2d(0.5 * (a.XY() + b.XY())).Translated(across), poles(3) = b;
    TColStd_Array1OfReal knots(1, 2);
    knots(1) = first, knots(2) = last;
    TColStd_Array1OfInteger multiplicities(1, 2);
    multiplicities.Init(3);
    BRep_Builder().UpdateEdge(edge, new Geom2d_BSplineCurve(poles, knots, multiplicities, 2), face,
                              BRep_Tool::Tolerance(edge));
    return face;
}

} // namespace

TEST(MeshPreconditions, FacesAndEdgesWhosePartsContradictEachOtherAreTold)
{
    const TopoDS_Face intact = CubeFace();
    EXPECT_TRUE(KorrCore::FaceAgreesWithItsEdges(intact));
    for (TopExp_Explorer edge(intact, TopAbs_EDGE); edge.More(); edge.Next())
        EXPECT_TRUE(KorrCore::EdgeAgreesWithItsCurves(TopoDS::Edge(edge.Current())));

    // A curve on the face half the face away from the edge's curve in space.
    const TopoDS_Face strayed = WithCurveOnFaceMoved(5, 5);
    EXPECT_FALSE(KorrCore::FaceAgreesWithItsEdges(strayed));
    EXPECT_FALSE(KorrCore::EdgeAgreesWithItsCurves(FirstEdge(strayed)));
    // Moved by 50 times its tolerance (1e-7), it still meets it; by 150 times, not.
    const TopoDS_Face nudged = WithCurveOnFaceMoved(5e-6, 0);
    EXPECT_TRUE(KorrCore::FaceAgreesWithItsEdges(nudged));
    EXPECT_TRUE(KorrCore::EdgeAgreesWithItsCurves(FirstEdge(nudged)));
    EXPECT_FALSE(KorrCore::FaceAgreesWithItsEdges(WithCurveOnFaceMoved(1.5e-5, 0)));

    // The edge's flag says its range on the face is its own, but another is stored.
    const TopoDS_Face ranged = CubeFace();
    Standard_Real first, last;
    BRep_Tool::Range(FirstEdge(ranged), first, last);
    BRep_Builder().Range(FirstEdge(ranged), ranged, first, last + 1);
    EXPECT_FALSE(KorrCore::FaceAgreesWithItsEdges(ranged));
    // Without the flag, a range of its own on the face is the edge's right.
    BRep_Builder().Range(FirstEdge(ranged), ranged, first, last);
    BRep_Builder().SameRange(FirstEdge(ranged), Standard_False);
    EXPECT_TRUE(KorrCore::FaceAgreesWithItsEdges(ranged));

    // Curves that meet at their ends but part in the middle, where the edge's
    // flag says they share their parameters.
    const TopoDS_Face bowed = WithCurveOnFaceBowed(3);
    EXPECT_FALSE(KorrCore::FaceAgreesWithItsEdges(bowed));
    EXPECT_FALSE(KorrCore::EdgeAgreesWithItsCurves(FirstEdge(bowed)));

    // A cylinder's rim tilted about its diameter through the edge's ends: it
    // still meets the curve on the face at the ends and in the middle.
    const TopoDS_Edge rim = KorrTest::FirstCircle(BRepPrimAPI_MakeCylinder(10, 100).Shape());
    const auto circle = Handle(Geom_Circle)::DownCast(BRep_Tool::Curve(rim, first, last));
    EXPECT_TRUE(KorrCore::EdgeAgreesWithItsCurves(rim));
    const auto tilted = Handle(Geom_Curve)::DownCast(
        circle->Rotated(gp_Ax1(circle->Location(), circle->XAxis().Direction()), 0.8));
    BRep_Builder().UpdateEdge(rim, tilted, BRep_Tool::Tolerance(rim));
    EXPECT_FALSE(KorrCore::EdgeAgreesWithItsCurves(rim));

    // A piecewise curve whose edge keeps to its straight pieces, and a curve on
    // the face that follows those alone: the pieces beyond are no part of it.
    TColgp_Array1OfPnt poles(1, 4);
    poles(1) = gp_Pnt(0, 0, 0), poles(2) = gp_Pnt(1, 0, 0), poles(3) = gp_Pnt(2, 0, 0), poles(4) = gp_Pnt(3, 5, 0);
    const double knotValues[] = {0, 1, 2, 3};
    const int knotMultiplicities[] = {2, 1, 1, 2};
    const TopoDS_Edge straightPart = BRepBuilderAPI_MakeEdge(
        new Geom_BSplineCurve(poles, TColStd_Array1OfReal(knotValues[0], 1, 4),
                              TColStd_Array1OfInteger(knotMultiplicities[0], 1, 4), 1), 0, 2);
    BRep_Builder().UpdateEdge(straightPart, new Geom2d_Line(gp::Origin2d(), gp::DX2d()), new Geom_Plane(gp::XOY()),
                              TopLoc_Location(), 1e-7);
    EXPECT_TRUE(KorrCore::EdgeAgreesWithItsCurves(straightPart));

    // A patch bulging a little is meshed, one bulging a thousand times its edges' size is not.
    EXPECT_TRUE(KorrCore::FaceAgreesWithItsEdges(WithInnerPoleLifted(20)));
    EXPECT_FALSE(KorrCore::FaceAgreesWithItsEdges(WithInnerPoleLifted(1e6)));

    // A shape keeps its meshable faces only.
    TopoDS_Compound faces;
    BRep_Builder().MakeCompound(faces);
    for (const TopoDS_Face& face : {intact, strayed, nudged})
        BRep_Builder().Add(faces, face);
    const TopoDS_Shape meshable = KorrCore::MeshableFaces(faces, 1, 0.5);
    EXPECT_EQ(KorrTest::CountDistinct(KorrTest::Holding(meshable), TopAbs_FACE), 2);
    EXPECT_TRUE(KorrCore::MeshableFaces(intact, 1, 0.5).IsSame(intact));
}

TEST(MeshPreconditions, AFaceWithAnEdgeMissingAnEndVertexIsLeftUnmeshed)
{
    // Found by fuzzing the file reader: an edge storing its start vertex at
    // both ends, its curves not sharing their parameters, crashed the mesher.
    const TopoDS_Face face = CubeFace();
    TopoDS_Edge edge = FirstEdge(face);
    TopoDS_Vertex start, end;
    TopExp::Vertices(edge, start, end);
    edge.Free(Standard_True);
    BRep_Builder().SameParameter(edge, Standard_False);
    BRep_Builder().Remove(edge, end);
    EXPECT_FALSE(KorrCore::FaceAgreesWithItsEdges(face)) << "no vertex at the end";
    BRep_Builder().Add(edge, end.Oriented(TopAbs_FORWARD));
    EXPECT_FALSE(KorrCore::FaceAgreesWithItsEdges(face)) << "the end vertex stored as a start";

    KorrTest::ReportRecorder quiet;
    const std::vector<bool> meshed = MeshEverywhere(KorrTest::Holding(face), 1);
    EXPECT_FALSE(meshed[0]);
    EXPECT_FALSE(meshed[1]);

    BRep_Builder().Remove(edge, end.Oriented(TopAbs_FORWARD));
    BRep_Builder().Add(edge, end);
    EXPECT_TRUE(KorrCore::FaceAgreesWithItsEdges(face)) << "a vertex at each end again";
}

TEST(DisplayBounds, HoldFiniteDataNearTheGeometryOnly)
{
    const KorrCore::DisplayBounds bounds(CubeFace(), 0.5);
    Bnd_Box box;
    BRepBndLib::Add(CubeFace(), box, Standard_False);
    const gp_XYZ low = box.CornerMin().XYZ(), high = box.CornerMax().XYZ(), middle = 0.5 * (low + high);
    for (const gp_XYZ& inside : {low, high, middle})
        EXPECT_TRUE(bounds.Holds(inside)) << inside.X() << " " << inside.Y() << " " << inside.Z();
    // Within the deflection and a thousandth of the longest side of the box (0.51); not beyond.
    EXPECT_TRUE(bounds.Holds(high + gp_XYZ(0.505, 0, 0)));
    EXPECT_TRUE(bounds.Holds(low - gp_XYZ(0, 0, 0.505)));
    EXPECT_FALSE(bounds.Holds(high + gp_XYZ(0.515, 0, 0)));
    EXPECT_FALSE(bounds.Holds(low - gp_XYZ(0, 0.515, 0)));
    EXPECT_FALSE(bounds.Holds(gp_XYZ(middle.X(), middle.Y(), std::nan(""))));
    EXPECT_FALSE(bounds.Holds(gp_XYZ(HUGE_VAL, middle.Y(), middle.Z())));
    // A shape without geometry holds nothing.
    TopoDS_Compound empty;
    BRep_Builder().MakeCompound(empty);
    EXPECT_FALSE(KorrCore::DisplayBounds(empty, 1).Holds({0, 0, 0}));
}

TEST(MeshPreconditions, ANeedleOfAConeIsLeftUnmeshedInsteadOfFillingMemory)
{
    // Found by fuzzing the builders: the mesher asked for billions of nodes on
    // the lateral face and allocated until the process was killed.
    const ShapePtr needle = KBrepTools::MakeCone({0, 0, 0}, {0, 0, 1}, 1e-7, 10, 0, 360);
    const ShapePtr cone = KBrepTools::MakeCone({0, 0, 0}, {0, 0, 1}, 1, 10, 0, 360);
    const TopoDS_Face lateral = TopoDS::Face(TopExp_Explorer(KorrTest::Kernel(needle), TopAbs_FACE).Current());
    EXPECT_FALSE(KorrCore::GridWithinReason(lateral, 0.1, 0.5));
    const TopoDS_Face coneSide = TopoDS::Face(TopExp_Explorer(KorrTest::Kernel(cone), TopAbs_FACE).Current());
    for (const TopoDS_Face& face : {lateral, coneSide})
        EXPECT_EQ(KorrCore::GridWithinReason(face, 1e-3, 0.1), !face.IsSame(lateral));

    KorrTest::ReportRecorder quiet;
    KShapeMesh mesh;
    const std::vector<bool> meshed = MeshEverywhere(KBrepTools::MakeCompound({needle, cone}), 0.1, &mesh);
    EXPECT_FALSE(meshed[0]) << "the needle's side";
    EXPECT_FALSE(meshed[1]) << "the needle's side";
    ASSERT_TRUE(meshed[3]);
    ASSERT_EQ(mesh.Parts.size(), 2u);
    EXPECT_EQ(mesh.Parts[0].Faces.front().Triangles.Count, 0u);
    EXPECT_GT(mesh.Parts[1].Faces.front().Triangles.Count, 0u);
}

TEST(MeshPreconditions, AnEdgeWoundRoundItsCircleMoreThanTwiceIsNeitherMeshedNorSampled)
{
    // Found by fuzzing the file reader: a range of 0.836 ... 218530717959 on a
    // circle passed every number check, and the mesher allocated until the
    // host died.
    const ShapePtr shape = KBrepTools::ReadBrepFile(
        KorrTest::Wide(KORRGEOM_CORPUS_DIR "/read_brep/regression-circle-edge-wound-many-times"), nullptr);
    ASSERT_NE(shape, nullptr);
    KShapeMesh mesh;
    EXPECT_TRUE(KShapeMesher::Mesh(shape, KMeshOptions(), mesh));
    for (const double turns : {1.0, 2.0, 2.5}) {
        const TopoDS_Edge rim = KorrTest::FirstCircle(BRepPrimAPI_MakeCylinder(10, 20).Shape());
        BRep_Builder().Range(rim, 0, turns * 2 * M_PI);
        EXPECT_EQ(KorrCore::EdgeAgreesWithItsCurves(rim), turns <= 2) << turns << " turns";
        // A sphere's pole: an edge with no curve in space, drawn from its curve on the face.
        const TopoDS_Face sphere =
            TopoDS::Face(TopExp_Explorer(BRepPrimAPI_MakeSphere(10).Shape(), TopAbs_FACE).Current());
        for (TopExp_Explorer edge(sphere, TopAbs_EDGE); edge.More(); edge.Next())
            if (BRep_Tool::Degenerated(TopoDS::Edge(edge.Current())))
                BRep_Builder().Range(TopoDS::Edge(edge.Current()), 0, turns * 2 * M_PI);
        EXPECT_EQ(KorrCore::FaceAgreesWithItsEdges(sphere), turns <= 2) << turns << " turns at the poles";
    }
    // Wound three times on its faces alone, its curves meet at the ends, the
    // only places compared where they share no parameters.
    const TopoDS_Edge wound = KorrTest::FirstCircle(BRepPrimAPI_MakeCylinder(10, 20).Shape());
    BRep_Builder().SameParameter(wound, Standard_False);
    BRep_Builder().Range(wound, 0, 6 * M_PI);
    BRep_Builder().Range(wound, 0, 2 * M_PI, /*Only3d=*/Standard_True);
    EXPECT_FALSE(KorrCore::EdgeAgreesWithItsCurves(wound));
}
