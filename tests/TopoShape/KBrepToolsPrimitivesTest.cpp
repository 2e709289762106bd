#include "support/Checks.h"

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::Is;

TEST(KBrepToolsPrimitives, PrimitivesAreWhereAndAsLargeAsAskedSweptByDegreesSizesNotAboveZeroReported)
{
    const double pi = KMath::Math::PI, cylinder = 2 * pi * 2 * 5 + 2 * pi * 4;
    EXPECT_TRUE(Is(KBrepTools::MakeSphere({1, 2, 3}, 2), TopoSolid, 4.0 / 3.0 * pi * 8, {-1, 0, 1}, {3, 4, 5}));
    // The direction's length does not matter; angles outside (0, 360) give the full turn.
    EXPECT_TRUE(Is(KBrepTools::MakeBox({1, 1, 1}, {0, 0, 7}, {1, 2, 3}), TopoSolid, 6, {1, 1, 1}, {2, 3, 4}));
    for (double angle : {0.0, 360.0, 400.0, -30.0, std::nan("")})
        EXPECT_TRUE(Is(KBrepTools::MakeCylinder({1, 1, 1}, {0, 3, 0}, 2, 5, angle), TopoShell, cylinder, {-1, 1, -1},
                       {3, 6, 3}))
            << angle;
    EXPECT_TRUE(Is(KBrepTools::MakeCylinder({0, 0, 0}, {0, 0, 1}, 2, 5, 90), TopoShell, cylinder / 4 + 20, {0, 0, 0},
                   {2, 2, 5}));
    // Radius 2 at the base, 1 at height 5 along the axis; coming to a point, or widening.
    EXPECT_TRUE(Is(KBrepTools::MakeCone({1, 2, 3}, {0, 0, 4}, 2, 5, 1, 0), TopoShell, pi * (3 * std::sqrt(26.0) + 5),
                   {-1, 0, 3}, {3, 4, 8}));
    EXPECT_TRUE(Is(KBrepTools::MakeCone({0, 0, 0}, {0, 0, 1}, 2, 5, 0, 0), TopoShell, pi * (2 * std::sqrt(29.0) + 4),
                   {-2, -2, 0}, {2, 2, 5}));
    EXPECT_TRUE(Is(KBrepTools::MakeCone({0, 0, 0}, {0, 0, 1}, 1, 5, 3, 180), TopoShell,
                   pi * (2 * std::sqrt(29.0) + 5) + 20, {-3, 0, 0}, {3, 3, 5}));
    // Sizes not above zero are reported, and what the kernel refuses is not.
    KorrTest::ReportRecorder recorder;
    const Vector3 o = Vector3::ZERO, z = Vector3::UNIT_Z;
    const ShapePtr refused[] = {KBrepTools::MakeSphere(o, 0), KBrepTools::MakeSphere(o, -1),
                                KBrepTools::MakeSphere(o, std::nan("")), KBrepTools::MakeCylinder(o, z, 0, 1, 0),
                                KBrepTools::MakeCylinder(o, z, 1, 0, 0), KBrepTools::MakeCone(o, z, 0, 5, 1, 0),
                                KBrepTools::MakeCone(o, z, 2, 0, 1, 0),
                                // Without a report: equal radii, zero directions and box sizes.
                                KBrepTools::MakeCone(o, z, 2, 5, 2, 0), KBrepTools::MakeCone(o, o, 2, 5, 1, 0),
                                KBrepTools::MakeCylinder(o, o, 1, 1, 0), KBrepTools::MakeBox(o, o, {1, 1, 1}),
                                KBrepTools::MakeBox(o, z, {1, -1, 1})};
    for (const ShapePtr& shape : refused)
        EXPECT_FALSE(shape);
    EXPECT_EQ(recorder.messages(),
              (std::vector<std::string>{"Invalid Radius!", "Invalid Radius!", "Invalid Radius!", "", "", "", ""}));
}
