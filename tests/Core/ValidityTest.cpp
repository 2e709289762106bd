// The kernel's validity verdict is kept with a handle so that its shape is
// checked once, not by every operation: these tests hold the verdict to the
// shape it was reached on. Whatever changes the shape data, or places it where
// the check would measure something else, must bring the check back.

#include "support/Checks.h"

#include <ShapeFix_ShapeTolerance.hxx>
#include <TopExp.hxx>
#include <gp_Trsf.hxx>

#include <functional>

using namespace KorrCore;
using KorrTest::Kernel;
using Change = std::function<void(const ShapePtr&)>;

namespace {

ShapePtr Cube(double x) { return KBrepTools::MakeBox({x, 0, 0}, {0, 0, 1}, {10, 10, 10}); }

// Two shells sharing one disc face: a solid the kernel's check refuses.
TopoDS_Shape BrokenSolid()
{
    const ShapePtr disc = KBrepTools::MakeFace(KBrepTools::MakeCircle({10, 10, 10}, 10, {1, 0, 0}));
    return Kernel(KBrepTools::MakeSolid({disc, disc}));
}

// The same shape data placed ten times larger, which the kernel's check fails.
TopoDS_Shape ScaledTenfold(const TopoDS_Shape& shape)
{
    gp_Trsf scale;
    scale.SetScale(gp::Origin(), 10);
    return shape.Located(TopLoc_Location(scale), /*theRaiseExc=*/false);
}

// A boolean needs its operand valid.
bool TakesPart(const ShapePtr& operand) { return KFeatureTools::Boolean(operand, Cube(5), BooleanFuse) != nullptr; }

} // namespace

TEST(ValidityVerdict, NeverOutlivesAChangeOfTheShapeOrItsDataButIsKeptThroughRigidMoves)
{
    const Change changes[] = {
        [](const ShapePtr& h) { KTopoShapeImpl::SetShape(h.get(), BrokenSolid()); },
        [](const ShapePtr& h) { KTopoShapeImpl::GetShape(h.get()) = BrokenSolid(); },
        [](const ShapePtr& h) { KTopoShape copy(*h); KTopoShapeImpl::SetShape(&copy, BrokenSolid()); },
        [](const ShapePtr& h) { KTopoShapeImpl::SetShape(h.get(), ScaledTenfold(Kernel(h))); },
        [](const ShapePtr& h) { KTopoShapeImpl::GetShape(h.get()) = ScaledTenfold(Kernel(h)); },
    };
    for (const Change& change : changes) {
        const ShapePtr operand = Cube(0);
        ASSERT_TRUE(TakesPart(operand));
        change(operand);
        ASSERT_FALSE(KorrTest::IsValid(operand));
        EXPECT_FALSE(TakesPart(operand));
        // Found invalid, it takes part again once it holds a valid shape.
        KTopoShapeImpl::SetShape(operand.get(), Kernel(Cube(0)));
        EXPECT_TRUE(TakesPart(operand));
    }
    // Shape data changed in place withdraws the verdict too.
    const Change inPlace[] = {
        // The library forces its join tolerance onto the caller's edges.
        [](const ShapePtr& edge) { KBrepTools::MakeWire({edge}); },
        // A host edits the data and says so.
        [](const ShapePtr& edge) {
            ShapeFix_ShapeTolerance().SetTolerance(KTopoShapeImpl::GetShape(edge.get()), 1e-5);
            KTopoShapeImpl::ShapeDataChanged();
        },
    };
    for (const Change& change : inPlace) {
        // A cube with one vertex 1e-4 off its edges, within that vertex's
        // tolerance of 1e-3: valid until a tolerance of 1e-5 is forced onto
        // an edge through it, and with it onto the vertex.
        const ShapePtr cube = Cube(0);
        const ShapePtr edge = KorrTest::EdgesOf(cube).front();
        const TopoDS_Vertex start = TopExp::FirstVertex(TopoDS::Edge(Kernel(edge)));
        BRep_Builder().UpdateVertex(start, BRep_Tool::Pnt(start).Translated(gp_Vec(0, 0, 1e-4)), 1e-3);
        ASSERT_TRUE(TakesPart(cube));
        change(edge);
        EXPECT_FALSE(TakesPart(cube));
    }
    // A rigid move changes no distance the check measures, so the verdict stays;
    // a scaling makes new shape data, and the verdict goes with the old. Blends
    // check their results, which come with the verdict.
    const std::pair<std::function<bool(const ShapePtr&)>, bool> moves[] = {
        {[](const ShapePtr& h) { return KFeatureTools::TranslateInplace(h, {2, 0, 0}); }, true},
        {[](const ShapePtr& h) { return KFeatureTools::RotationInplace(h, {KMath::Radian(0.5), {0, 1, 0}}); }, true},
        {[](const ShapePtr& h) { return KFeatureTools::ScaleInplace(h, {0, 0, 0}, 2); }, false},
    };
    for (const auto& [move, kept] : moves) {
        const ShapePtr operand = KFeatureTools::Fillet(Cube(0), 2);
        const auto verdict = KTopoShapeImpl::GetValidity(operand.get());
        ASSERT_TRUE(verdict);
        ASSERT_TRUE(move(operand));
        EXPECT_EQ(KTopoShapeImpl::GetValidity(operand.get()) == verdict, kept) << kept;
        EXPECT_TRUE(TakesPart(operand));
    }
    EXPECT_TRUE(KTopoShapeImpl::GetValidity(KFeatureTools::Chamfer(Cube(0), 2, 1).get()));
}
