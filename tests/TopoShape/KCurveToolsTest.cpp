#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include <vector>

#include "support/CurveChecks.h"
#include "support/ShapeChecks.h"

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::PointNear;
using KorrTest::ToPoint;

namespace {

std::vector<Vector3> Wave() { return {Vector3(0, 0, 0), Vector3(1, 2, 0), Vector3(3, -1, 1), Vector3(5, 0, 2)}; }

// Every point lies on the edge MakeSpline builds through the same input.
::testing::AssertionResult AllOnSpline(std::vector<Vector3> input, const std::vector<Vector3>& samples)
{
    const ShapePtr spline = KBrepTools::MakeSpline(input.data(), static_cast<int>(input.size()));
    if (!spline)
        return ::testing::AssertionFailure() << "no spline";
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double distance = KorrTest::DistanceTo(spline, ToPoint(samples[i]));
        if (distance > 1e-9)
            return ::testing::AssertionFailure() << "sample " << i << " is " << distance << " off the spline";
    }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(SplineToSegments, RefusesFewerThanThreePointsOrTwoSegmentsLeavingTheOutput)
{
    const std::vector<Vector3> before = {Vector3(9, 9, 9), Vector3(8, 8, 8)};
    std::vector<Vector3> output = before;
    const std::vector<Vector3> two = {Vector3(0, 0, 0), Vector3(1, 0, 0)};
    const std::vector<Vector3> three = {Vector3(0, 0, 0), Vector3(1, 1, 0), Vector3(2, 0, 0)};
    EXPECT_FALSE(KCurveTools::SplineToSegments(two, 10, output));
    EXPECT_FALSE(KCurveTools::SplineToSegments({}, 10, output));
    for (int segments : {1, 0, -3})
        EXPECT_FALSE(KCurveTools::SplineToSegments(three, segments, output)) << segments;
    // A fit the kernel refuses, through two equal consecutive points.
    const std::vector<Vector3> repeated = {Vector3(0, 0, 0), Vector3(1, 1, 0), Vector3(1, 1, 0)};
    EXPECT_FALSE(KCurveTools::SplineToSegments(repeated, 4, output));
    EXPECT_EQ(output, before);
}

TEST(SplineToSegments, ReplacesTheOutputWithSegmentEndsOnTheSpline)
{
    std::vector<Vector3> output(100, Vector3(7, 7, 7));
    const std::vector<Vector3> input = Wave();
    ASSERT_TRUE(KCurveTools::SplineToSegments(input, 10, output));
    ASSERT_EQ(output.size(), 11u);
    EXPECT_TRUE(PointNear(ToPoint(output.front()), ToPoint(input.front()), 1e-12));
    EXPECT_TRUE(PointNear(ToPoint(output.back()), ToPoint(input.back()), 1e-12));
    EXPECT_TRUE(AllOnSpline(input, output));

    const std::vector<Vector3> three = {Vector3(0, 0, 0), Vector3(1, 1, 0), Vector3(2, 0, 0)};
    ASSERT_TRUE(KCurveTools::SplineToSegments(three, 2, output));
    ASSERT_EQ(output.size(), 3u);
    EXPECT_TRUE(PointNear(ToPoint(output[0]), gp_Pnt(0, 0, 0), 1e-12));
    EXPECT_TRUE(PointNear(ToPoint(output[2]), gp_Pnt(2, 0, 0), 1e-12));
    EXPECT_TRUE(AllOnSpline(three, output));
}

TEST(SplineToSegments, CollinearPointsGiveEvenSamplesOnTheLine)
{
    const std::vector<Vector3> input = {Vector3(0, 0, 0), Vector3(1, 2, 2), Vector3(2, 4, 4), Vector3(3, 6, 6)};
    std::vector<Vector3> output;
    ASSERT_TRUE(KCurveTools::SplineToSegments(input, 6, output));
    ASSERT_EQ(output.size(), 7u);
    // Chord-length parameters on equally spaced points run evenly along the line.
    for (std::size_t i = 0; i < output.size(); ++i)
        EXPECT_TRUE(PointNear(ToPoint(output[i]), gp_Pnt(0.5 * i, 1.0 * i, 1.0 * i), 1e-9)) << i;
}
