#include "support/Checks.h"

using namespace KorrCore;
using KorrTest::Is;

namespace {

ShapePtr Box()
{
    return KBrepTools::MakeBox({0, 0, 0}, {0, 0, 1}, {10, 20, 30});
}

} // namespace

TEST(KFeatureToolsBlend, FilletsAndChamfersBlendEveryEdgeOrTheListedOnesAndWhatTheKernelCannotBlendGivesNull)
{
    const double pi = KMath::Math::PI;
    for (double r : {2.0, 4.9}) { // the inner box grown by a ball of radius r (Steiner's formula)
        const double a = 10 - 2 * r, b = 20 - 2 * r, c = 30 - 2 * r;
        const double volume =
            a * b * c + 2 * r * (a * b + b * c + c * a) + pi * r * r * (a + b + c) + 4 * pi * r * r * r / 3;
        EXPECT_TRUE(Is(KFeatureTools::Fillet(Box(), r), TopoCompound, volume, {0, 0, 0}, {10, 20, 30})) << r;
    }
    EXPECT_TRUE(Is(KFeatureTools::Fillet(KorrTest::FacesOf(Box()).front(), 2), TopoFace, 600 - (4 - pi) * 4, {0, 0, 0},
                   {0, 20, 30}));
    // Each edge loses a right isosceles prism of legs 1; only the corners overlap.
    const ShapePtr even = KFeatureTools::Chamfer(Box(), 1, 1), uneven = KFeatureTools::Chamfer(Box(), 1, 2);
    EXPECT_TRUE(KorrTest::IsValid(even) && KorrTest::IsValid(uneven) &&
                KorrTest::CountDistinct(even, TopAbs_FACE) == 26);
    EXPECT_NEAR(KorrTest::Size(even), 6000 - 120 + 4, 4);
    EXPECT_TRUE(KorrTest::DistanceTo(even, {0, 1, 1}) < 1e-7 && KorrTest::Size(uneven) < KorrTest::Size(even) - 60);
    // What the kernel cannot blend, or blends broken, gives null silently.
    KorrTest::ReportRecorder recorder;
    // 5 and 10 the kernel refuses; 6 it reports done with a broken solid.
    for (double radius : {5.0, 6.0, 10.0, 0.0})
        EXPECT_FALSE(KFeatureTools::Fillet(Box(), radius)) << radius;
    // Nor can a curved face or a shape without faces be rounded, nor an edge without a face, or too far, bevelled.
    const ShapePtr line = KBrepTools::MakeLine({0, 0, 0}, {1, 0, 0});
    const ShapePtr rim = KorrTest::EdgesOf(KBrepTools::MakeCircle({0, 0, 0}, 2, {0, 0, 1})).front();
    EXPECT_FALSE(KFeatureTools::Fillet(KFeatureTools::Extrude(rim, 5, {0, 0, 1}), 0.1) ||
                 KFeatureTools::Fillet(line, 0.1) || KFeatureTools::Fillet(KBrepTools::MakeVertex({0, 0, 0}), 0.1) ||
                 KFeatureTools::Chamfer(KBrepTools::MakeCompound({Box(), line}), 0.1, 0.1) ||
                 KFeatureTools::Chamfer(Box(), 6, 6));
    EXPECT_EQ(recorder.count(), 0u);
    // Listed edges alone are blended, and edges of another shape refused.
    const ShapePtr box = Box();
    const ShapeList edges = KorrTest::EdgesOf(box);
    const ShapeList first{edges.front()}, firstTwo{edges.front(), *std::next(edges.begin())};
    const double edgeLength = KorrTest::Size(edges.front());
    // One edge rounded with radius 2 loses a square prism less its quarter cylinder.
    const ShapePtr rounded = KFeatureTools::FilletEdges(box, 2, first);
    EXPECT_EQ(KorrTest::CountDistinct(rounded, TopAbs_FACE), 7);
    EXPECT_NEAR(KorrTest::Size(rounded), 6000 - (4 - pi) * edgeLength, 1e-6);
    EXPECT_EQ(KorrTest::CountDistinct(KFeatureTools::ChamferEdges(box, 1, 1, firstTwo), TopAbs_FACE), 8);

    const ShapeList foreign{KorrTest::EdgesOf(KBrepTools::MakeBox({0, 0, 0}, {0, 0, 1}, {1, 1, 1})).front()};
    for (const ShapeList& refused : {foreign, ShapeList{}, ShapeList{nullptr}}) {
        EXPECT_FALSE(KFeatureTools::FilletEdges(box, 1, refused));
        EXPECT_EQ(KLastOutcome().Code, KOutcomeCode::InvalidArgument);
        EXPECT_FALSE(KFeatureTools::ChamferEdges(box, 1, 1, refused));
        EXPECT_EQ(KLastOutcome().Code, KOutcomeCode::InvalidArgument);
    }
}
