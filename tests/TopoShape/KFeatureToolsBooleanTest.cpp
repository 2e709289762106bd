#include "support/Checks.h"

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::Is;

namespace {

ShapePtr Cube(double x, double side = 10)
{
    return KBrepTools::MakeBox({x, 0, 0}, {0, 0, 1}, {side, side, side});
}

} // namespace

TEST(KFeatureToolsBoolean, FuseCommonAndCutOfOverlappingCubesLeaveTheOperandsSectionsAreOneClosedWireOrNull)
{
    const ShapePtr left = Cube(0), right = Cube(5);
    EXPECT_TRUE(Is(KFeatureTools::Boolean(left, right, BooleanFuse), TopoCompound, 1500, {0, 0, 0}, {15, 10, 10}));
    EXPECT_TRUE(Is(KFeatureTools::Boolean(left, right, BooleanCommon), TopoCompound, 500, {5, 0, 0}, {10, 10, 10}));
    EXPECT_TRUE(Is(KFeatureTools::Boolean(left, right, BooleanCut), TopoCompound, 500, {0, 0, 0}, {5, 10, 10}));
    EXPECT_TRUE(Is(KFeatureTools::Boolean(right, left, BooleanCut), TopoCompound, 500, {10, 0, 0}, {15, 10, 10}));
    EXPECT_NEAR(KorrTest::Size(left) + KorrTest::Size(right), 2000.0, 1e-6);
    // Nothing in common is an empty compound.
    EXPECT_TRUE(Is(KFeatureTools::Boolean(left, Cube(20, 1), BooleanCommon), TopoCompound, 0, {0, 0, 0}, {1, 1, 1}));
    KorrTest::ReportRecorder recorder;
    EXPECT_FALSE(KFeatureTools::Boolean(left, right, KBooleanOp(3)) ||
                 KFeatureTools::Boolean(left, right, KBooleanOp(-1)));
    EXPECT_EQ(recorder.messages(), std::vector<std::string>(2, "Invalid Boolean type!"));
    // Sections are one closed wire on both shapes, or null.
    // Planes through (5, 5, 5); the slanted one cuts a hexagon whose edges the section lists out of order.
    for (const auto& [normal, edges] : {std::pair{Vector3(0, 0, 1), 4}, std::pair{Vector3(1, 1, 1), 6}}) {
        Vector3 u = normal.crossProduct({1, 0, 0}), v = normal.crossProduct(u), c(5, 5, 5);
        u.normalise(), v.normalise();
        std::vector<Vector3> corners = {c - u * 50 - v * 50, c + u * 50 - v * 50, c + u * 50 + v * 50,
                                        c - u * 50 + v * 50};
        const ShapePtr plane = KBrepTools::MakeFace(KBrepTools::MakePolygon(corners.data(), 4));
        const ShapePtr section = KFeatureTools::SurfaceSection(left, plane);
        EXPECT_TRUE(KorrTest::HasKind(section, TopoWire) && BRep_Tool::IsClosed(KorrTest::Kernel(section)));
        EXPECT_EQ(KorrTest::CountDistinct(section, TopAbs_EDGE), edges);
        for (const gp_Pnt& p : KorrTest::VertexPoints(section))
            EXPECT_LT(KorrTest::DistanceTo(left, {p.X(), p.Y(), p.Z()}) +
                          KorrTest::DistanceTo(plane, {p.X(), p.Y(), p.Z()}),
                      1e-6);
    }
    // No common curve, or a cylinder meeting the cube in two separate circles.
    KorrTest::ReportRecorder silent;
    EXPECT_FALSE(KFeatureTools::SurfaceSection(left, Cube(20, 1)) ||
                 KFeatureTools::SurfaceSection(left, KBrepTools::MakeCylinder({5, 5, -5}, {0, 0, 1}, 2, 20, 0)) ||
                 silent.count() > 0);
    // Invalid operands are refused before the kernel, which leaks on a solid whose two shells share one face.
    const ShapePtr disc = KBrepTools::MakeFace(KBrepTools::MakeCircle({10, 10, 10}, 10, {1, 0, 0}));
    const ShapePtr broken = KBrepTools::MakeSolid({disc, disc}),
                   circle = KBrepTools::MakeCircle({10, 10, 10}, 5, {0, 0, 1});
    ASSERT_TRUE(!KorrTest::IsValid(broken) && KFeatureTools::Boolean(disc, circle, BooleanCommon));
    EXPECT_FALSE(KFeatureTools::Boolean(broken, circle, BooleanFuse) ||
                 KFeatureTools::Boolean(broken, circle, BooleanCommon) ||
                 KFeatureTools::Boolean(broken, circle, BooleanCut) || KFeatureTools::SurfaceSection(left, broken));
}
