#include <KorrGeomCore/KorrGeomCore.h>

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRep_Builder.hxx>
#include <TopoDS_Compound.hxx>
#include <gtest/gtest.h>

#include "support/ShapeChecks.h"

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::Holding;

namespace {

TopoDS_Shape KernelBox() { return BRepPrimAPI_MakeBox(gp_Pnt(0, 0, 0), 10, 20, 30).Shape(); }

TopoDS_Shape KernelEdge() { return BRepBuilderAPI_MakeEdge(gp_Pnt(0, 0, 0), gp_Pnt(1, 0, 0)).Shape(); }

TopoDS_Compound EmptyCompound()
{
    TopoDS_Compound compound;
    BRep_Builder().MakeCompound(compound);
    return compound;
}

} // namespace

TEST(KTopoShape, CopiesShareTheShapeSetLaterAndSelfAssignmentKeepsIt)
{
    KTopoShape original;
    EXPECT_TRUE(original.IsNull());
    KTopoShape copy(original);
    KTopoShape assigned;
    assigned = original;
    KTopoShape separate;

    KTopoShapeImpl::SetShape(&original, KernelBox());
    EXPECT_FALSE(copy.IsNull());
    EXPECT_FALSE(assigned.IsNull());
    EXPECT_TRUE(KTopoShapeImpl::GetShape(&copy).IsSame(KTopoShapeImpl::GetShape(&original)));
    EXPECT_TRUE(separate.IsNull());

    // A handle made around the same kernel shape is independent of the first.
    KTopoShape other;
    KTopoShapeImpl::SetShape(&other, KTopoShapeImpl::GetShape(&original));
    KTopoShapeImpl::SetShape(&original, KernelEdge());
    EXPECT_EQ(copy.GetShapeType(), TopoEdge);
    EXPECT_EQ(other.GetShapeType(), TopoSolid);

    KTopoShape& self = other;
    other = self;
    EXPECT_EQ(other.GetShapeType(), TopoSolid);
}

TEST(KTopoShapeImpl, SetShapeCopiesDataLocationAndOrientation)
{
    gp_Trsf move;
    move.SetTranslation(gp_Vec(5, 0, 0));
    const TopoDS_Shape placed = KernelBox().Moved(TopLoc_Location(move)).Reversed();

    KTopoShapeImpl impl;
    impl.SetShape(placed);
    EXPECT_TRUE(impl.GetShape().IsEqual(placed));
    KTopoShapeImpl copy(impl);
    EXPECT_TRUE(static_cast<TopoDS_Shape&>(copy).IsEqual(placed));
}

TEST(KTopoShape, KindComesFromTheKernelShape)
{
    EXPECT_EQ(static_cast<int>(Holding(KernelEdge())->GetShapeType()), 6); // TopoEdge
    EXPECT_EQ(Holding(EmptyCompound())->GetShapeType(), TopoCompound);
    EXPECT_EQ(KTopoShape().GetShapeType(), TopoGeneric);
}

TEST(KTopoShape, BoundingBoxIsTheKernelsWithFallbackForVoidBoxes)
{
    const KMath::AxisAlignedBox box = Holding(KernelBox())->GetBBox();
    EXPECT_EQ(box.getExtent(), KMath::AxisAlignedBox::EXTENT_FINITE);
    EXPECT_TRUE(KorrTest::BoxNear(box, Vector3(0, 0, 0), Vector3(10, 20, 30), 1e-6));
    // The kernel widens the box by the shape's tolerance, never narrows it.
    EXPECT_LT(box.getMinimum().x, 0.0);
    EXPECT_GT(box.getMaximum().z, 30.0);

    const KMath::AxisAlignedBox unit(Vector3::ZERO, Vector3(1, 1, 1));
    for (const ShapePtr& voidShape : {std::make_shared<KTopoShape>(), Holding(EmptyCompound())}) {
        const KMath::AxisAlignedBox fallback = voidShape->GetBBox();
        EXPECT_EQ(fallback.getMinimum(), unit.getMinimum());
        EXPECT_EQ(fallback.getMaximum(), unit.getMaximum());
        EXPECT_EQ(fallback.getExtent(), KMath::AxisAlignedBox::EXTENT_FINITE);
    }
}
