#include "support/Checks.h"

using namespace KorrCore;
using KMath::Vector3;

TEST(KCurveTools, SegmentEndsRunEvenlyAlongTheSplineThroughThePointsOrNotAtAll)
{
    // Chord-length parameters on equally spaced collinear points run evenly along the line.
    std::vector<Vector3> ends(100, Vector3(7, 7, 7));
    ASSERT_TRUE(KCurveTools::SplineToSegments({{0, 0, 0}, {1, 2, 2}, {2, 4, 4}, {3, 6, 6}}, 6, ends));
    ASSERT_EQ(ends.size(), 7u);
    for (std::size_t i = 0; i < ends.size(); ++i)
        EXPECT_LT((ends[i] - Vector3(0.5, 1, 1) * static_cast<double>(i)).length(), 1e-9) << i;
    // Two segments of a bend: from the first point to the last, on the spline MakeSpline builds.
    std::vector<Vector3> bend = {{0, 0, 0}, {1, 1, 0}, {2, 0, 0}};
    ASSERT_TRUE(KCurveTools::SplineToSegments(bend, 2, ends));
    EXPECT_TRUE(ends.size() == 3 && ends.front() == bend.front() && (ends.back() - bend.back()).length() < 1e-12);
    for (const Vector3& end : ends)
        EXPECT_LT(KorrTest::DistanceTo(KBrepTools::MakeSpline(bend.data(), 3), end), 1e-9);
    // Fewer than three points or two segments, or a fit the kernel refuses, leave the output.
    EXPECT_FALSE(KCurveTools::SplineToSegments({{0, 0, 0}, {1, 0, 0}}, 10, ends) ||
                 KCurveTools::SplineToSegments(bend, 1, ends) || KCurveTools::SplineToSegments(bend, -3, ends) ||
                 KCurveTools::SplineToSegments({{0, 0, 0}, {1, 1, 0}, {1, 1, 0}}, 4, ends));
    EXPECT_EQ(ends.size(), 3u);
}
