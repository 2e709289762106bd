// Numbers the kernel cannot represent (NaN, infinities, values beyond its own
// infinity) are refused by every builder and operation instead of becoming
// geometry that later kernel algorithms crash on.

#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "support/ShapeChecks.h"

using namespace KorrCore;
using KMath::Vector3;

namespace {

const double kOutOfRange[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity(), 1e200, -1e103};

ShapePtr UnitBox()
{
    return KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(1, 1, 1));
}

struct Case {
    const char* name;
    std::function<ShapePtr(double)> build;
};

const std::vector<Case>& Cases()
{
    static const std::vector<Case> cases = {
        {"MakeSphere centre", [](double v) { return KBrepTools::MakeSphere(Vector3(v, 0, 0), 1); }},
        {"MakeSphere radius", [](double v) { return KBrepTools::MakeSphere(Vector3::ZERO, std::abs(v)); }},
        {"MakeCylinder height",
         [](double v) { return KBrepTools::MakeCylinder(Vector3::ZERO, Vector3::UNIT_Z, 1, std::abs(v), 0); }},
        {"MakeBox size",
         [](double v) { return KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(1, v, 1)); }},
        {"MakeBox direction",
         [](double v) { return KBrepTools::MakeBox(Vector3::ZERO, Vector3(0, v, 1), Vector3(1, 1, 1)); }},
        {"MakeCone top radius",
         [](double v) { return KBrepTools::MakeCone(Vector3::ZERO, Vector3::UNIT_Z, 1, 1, v, 0); }},
        {"MakeVertex", [](double v) { return KBrepTools::MakeVertex(Vector3(0, 0, v)); }},
        {"MakeLine", [](double v) { return KBrepTools::MakeLine(Vector3::ZERO, Vector3(v, 1, 1)); }},
        {"MakeCircle radius", [](double v) { return KBrepTools::MakeCircle(Vector3::ZERO, v, Vector3::UNIT_Z); }},
        {"MakeArc", [](double v) { return KBrepTools::MakeArc(Vector3(1, 0, 0), Vector3(0, v, 0), Vector3::ZERO); }},
        {"Extrude length",
         [](double v) {
             return KFeatureTools::Extrude(KBrepTools::MakeCircle(Vector3::ZERO, 1, Vector3::UNIT_Z), v,
                                           Vector3::UNIT_Z);
         }},
        {"Fillet radius", [](double v) { return KFeatureTools::Fillet(UnitBox(), v); }},
        {"Chamfer distance", [](double v) { return KFeatureTools::Chamfer(UnitBox(), 0.1, v); }},
        {"Scale factor", [](double v) { return KFeatureTools::Scale(UnitBox(), Vector3::ZERO, v); }},
        {"Translate", [](double v) { return KFeatureTools::Translate(UnitBox(), Vector3(v, 0, 0)); }},
        {"Rotation angle",
         [](double v) { return KFeatureTools::Rotation(UnitBox(), Vector3::ZERO, Vector3::UNIT_Z, v); }},
        {"Transform translation",
         [](double v) {
             return KFeatureTools::Transform(UnitBox(), KMath::Matrix4(1, 0, 0, v, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1));
         }},
    };
    return cases;
}

} // namespace

TEST(OutOfRangeNumbers, EveryBuilderAndOperationGivesNull)
{
    for (const Case& c : Cases()) {
        ASSERT_TRUE(c.build(0.2)) << c.name << " fails even for an ordinary number";
        for (double value : kOutOfRange)
            EXPECT_FALSE(c.build(value)) << c.name << " accepted " << value;
    }
}

TEST(OutOfRangeNumbers, CoordinatesBeyondModelScaleAreRefused)
{
    // Found by fuzzing: the mesher's spatial search never finished on a surface
    // of revolution reaching 1e90, well inside the kernel's own infinity.
    EXPECT_TRUE(KBrepTools::MakeVertex(Vector3(9e11, 0, 0)));
    EXPECT_FALSE(KBrepTools::MakeVertex(Vector3(2e12, 0, 0)));
    EXPECT_FALSE(KBrepTools::MakeArc3Pts(Vector3(1, -9e90, 0), Vector3(0, -90, -1), Vector3(0, 0, 0)));
}

TEST(OutOfRangeNumbers, InPlaceTransformsKeepTheShape)
{
    // Found by fuzzing: a sphere scaled in place by an infinite factor held
    // non-finite geometry, and a later chamfer crashed the process on it.
    const ShapePtr sphere = KBrepTools::MakeSphere(Vector3::ZERO, 1);
    const ShapePtr copy = sphere;
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(KFeatureTools::ScaleInplace(sphere, Vector3::ZERO, -inf));
    EXPECT_FALSE(KFeatureTools::TranslateInplace(sphere, Vector3(-inf, 0, 0)));
    EXPECT_FALSE(KFeatureTools::RotationInplace(sphere, KMath::Quaternion(KMath::Radian(inf), Vector3::UNIT_Z)));
    EXPECT_TRUE(KorrTest::BoundsNear(copy, Vector3(-1, -1, -1), Vector3(1, 1, 1), 1e-6));
    EXPECT_NO_FATAL_FAILURE(KFeatureTools::Chamfer(sphere, 0, 0));
}
