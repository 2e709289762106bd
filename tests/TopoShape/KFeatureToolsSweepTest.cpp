#include "support/Checks.h"

using namespace KorrCore;
using KorrTest::Is;

TEST(KFeatureToolsSweep, ExtrusionsSweepAlongDirectionTimesLengthRevolutionsByRadiansInsideThePartialRange)
{
    const double pi = KMath::Math::PI;
    std::vector<KMath::Vector3> corners = {{1, 0, 0}, {2, 0, 0}, {2, 0, 1}, {1, 0, 1}};
    const ShapePtr square = KBrepTools::MakeFace(KBrepTools::MakePolygon(corners.data(), 4));
    EXPECT_TRUE(Is(KFeatureTools::Extrude(square, 5, {0, 2, 0}), TopoSolid, 10, {1, 0, 0}, {2, 10, 1}));
    EXPECT_TRUE(Is(KFeatureTools::Extrude(square, -3, {0, 1, 0}), TopoSolid, 3, {1, -3, 0}, {2, 0, 1}));
    EXPECT_TRUE(Is(KFeatureTools::Extrude(KBrepTools::MakeCircle({0, 0, 0}, 1, {0, 0, 1}), 2, {0, 0, 1}), TopoShell,
                   4 * pi, {-1, -1, 0}, {1, 1, 2}));
    // The square from x = 1 to 2 about z sweeps a ring of volume angle * 1.5, a full one outside (0.01, 2 pi).
    for (double angle : {0.01, pi / 2, 2 * pi, 0.0, -1.0, 0.0099, 7.0, std::nan("")}) {
        const bool partial = angle >= 0.01 && angle <= 2 * pi;
        EXPECT_NEAR(KorrTest::Size(KFeatureTools::Revol(square, {0, 0, 0}, {0, 0, 1}, angle)),
                    (partial ? angle : 2 * pi) * 1.5, 1e-6);
    }
    // A quarter turn about an axis through (0, 0, 5), upwards from +x towards +y.
    EXPECT_TRUE(
        Is(KFeatureTools::Revol(square, {0, 0, 5}, {0, 0, 3}, pi / 2), TopoSolid, pi / 2 * 1.5, {0, 0, 0}, {2, 2, 1}));
    // The kernel declines a profile crossing the axis without raising: the handle exists but holds nothing.
    KorrTest::ReportRecorder recorder;
    EXPECT_FALSE(KFeatureTools::Extrude(square, 0, {0, 0, 1}) || KFeatureTools::Extrude(square, 1, {0, 0, 0}) ||
                 KFeatureTools::Revol(square, {0, 0, 0}, {0, 0, 0}, 1.0) || recorder.count() > 0);
    for (double angle : {1.0, 0.0}) {
        const ShapePtr declined = KFeatureTools::Revol(square, {1.5, 0, 0}, {0, 0, 1}, angle);
        EXPECT_TRUE(declined && declined->IsNull()) << angle;
    }
}
