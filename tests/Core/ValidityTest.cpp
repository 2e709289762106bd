// The kernel's validity verdict is kept with a handle so that its shape is
// checked once, not by every operation: these tests hold the verdict to the
// shape it was reached on. Whatever changes the shape data, or places it where
// the check would measure something else, must bring the check back.

#include "support/Checks.h"

#include <gp_Trsf.hxx>

#include <functional>

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::Kernel;

namespace {

ShapePtr Cube(double x) { return KBrepTools::MakeBox(Vector3(x, 0, 0), Vector3::UNIT_Z, Vector3(10, 10, 10)); }

// Two shells sharing one disc face: a solid the kernel's check refuses.
TopoDS_Shape BrokenSolid()
{
    const ShapePtr disc = KBrepTools::MakeFace(KBrepTools::MakeCircle(Vector3(10, 10, 10), 10, Vector3::UNIT_X));
    return Kernel(KBrepTools::MakeSolid({disc, disc}));
}

// The same shape data placed ten times larger: the kernel's check fails a
// scaled placement of any shape.
TopoDS_Shape ScaledTenfold(const TopoDS_Shape& shape)
{
    gp_Trsf scale;
    scale.SetScale(gp::Origin(), 10);
    return shape.Located(TopLoc_Location(scale), /*theRaiseExc=*/false);
}

// The handle takes part in a boolean, which needs it valid.
bool TakesPart(const ShapePtr& operand) { return KFeatureTools::Boolean(operand, Cube(5), BooleanFuse) != nullptr; }

struct Change {
    std::string name;
    std::function<void(const ShapePtr&)> apply;
};

} // namespace

TEST(ValidityVerdict, AValidVerdictNeverPassesTheShapeAHandleHoldsAfterAChange)
{
    const Change changes[] = {
        {"other data through the setter", [](const ShapePtr& h) { KTopoShapeImpl::SetShape(h.get(), BrokenSolid()); }},
        {"other data on the kernel shape", [](const ShapePtr& h) { KTopoShapeImpl::GetShape(h.get()) = BrokenSolid(); }},
        {"other data through a copy of the handle",
         [](const ShapePtr& h) {
             KTopoShape copy(*h);
             KTopoShapeImpl::SetShape(&copy, BrokenSolid());
         }},
        {"same data scaled through the setter",
         [](const ShapePtr& h) { KTopoShapeImpl::SetShape(h.get(), ScaledTenfold(Kernel(h))); }},
        {"same data scaled on the kernel shape",
         [](const ShapePtr& h) { KTopoShapeImpl::GetShape(h.get()) = ScaledTenfold(Kernel(h)); }},
    };
    for (const Change& change : changes) {
        const ShapePtr operand = Cube(0);
        ASSERT_TRUE(TakesPart(operand)) << change.name;
        change.apply(operand);
        ASSERT_FALSE(KorrTest::IsValid(operand)) << change.name;
        EXPECT_FALSE(TakesPart(operand)) << change.name;
    }
}

TEST(ValidityVerdict, AHandleFoundInvalidTakesPartOnceItHoldsAValidShape)
{
    const ShapePtr operand = KorrTest::Holding(BrokenSolid());
    ASSERT_FALSE(TakesPart(operand));
    KTopoShapeImpl::SetShape(operand.get(), Kernel(Cube(0)));
    EXPECT_TRUE(TakesPart(operand));
}

// A rigid move changes no distance the check measures, so the verdict stays;
// a scaling makes new shape data, and the verdict goes with the old.
TEST(ValidityVerdict, KeptThroughRigidMovesInPlaceAndDroppedByScaling)
{
    const struct {
        std::string name;
        std::function<bool(const ShapePtr&)> move;
        bool kept;
    } moves[] = {
        {"translation", [](const ShapePtr& h) { return KFeatureTools::TranslateInplace(h, Vector3(2, 0, 0)); }, true},
        {"rotation",
         [](const ShapePtr& h) { return KFeatureTools::RotationInplace(h, KMath::Quaternion(KMath::Radian(0.5), Vector3::UNIT_Y)); }, true},
        {"scaling", [](const ShapePtr& h) { return KFeatureTools::ScaleInplace(h, Vector3(0, 0, 0), 2); }, false},
    };
    for (const auto& move : moves) {
        const ShapePtr operand = Cube(0);
        ASSERT_TRUE(TakesPart(operand)) << move.name;
        const auto verdict = KTopoShapeImpl::GetValidity(operand.get());
        ASSERT_TRUE(verdict) << move.name;
        ASSERT_TRUE(move.move(operand)) << move.name;
        EXPECT_EQ(KTopoShapeImpl::GetValidity(operand.get()) == verdict, move.kept) << move.name;
        EXPECT_TRUE(TakesPart(operand)) << move.name;
    }
}

// Blends check their results, so the next operation on one need not.
TEST(ValidityVerdict, BlendResultsCarryTheirVerdict)
{
    const ShapePtr box = Cube(0);
    for (const ShapePtr& blended : {KFeatureTools::Fillet(box, 2), KFeatureTools::Chamfer(box, 2, 1)}) {
        ASSERT_TRUE(blended);
        EXPECT_TRUE(KTopoShapeImpl::GetValidity(blended.get()));
    }
}
