#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

#include <KorrGeomCore/KorrGeomCore.h>

#include <gp_Pnt.hxx>

#include <gtest/gtest.h>

// Kernel-side measurements of the library's results, shared by the tests.
namespace KorrTest {

// The handle's kernel shape; a null shape for a null handle, so that measuring
// a missing result fails its check instead of crashing the test.
const TopoDS_Shape& Kernel(const KorrCore::ShapePtr& shape);
// A new handle holding the kernel shape, for inputs the library's builders do
// not make (located, reversed or hand-built shapes).
KorrCore::ShapePtr Holding(const TopoDS_Shape& kernel);

// The shape's faces as the library's explorer lists them.
KorrCore::ShapeList FacesOf(const KorrCore::ShapePtr& shape);
// The direct children of a shape, in order.
std::vector<TopoDS_Shape> Children(const KorrCore::ShapePtr& shape);

// A non-null handle holding a shape of the kind.
::testing::AssertionResult HasKind(const KorrCore::ShapePtr& shape, KorrCore::TopoShapeType kind);

double Volume(const KorrCore::ShapePtr& shape);
double Area(const KorrCore::ShapePtr& shape);
// Number of distinct sub-shapes of a kind (orientation ignored).
int CountDistinct(const KorrCore::ShapePtr& shape, TopAbs_ShapeEnum kind);
// The kernel's validity check.
bool IsValid(const KorrCore::ShapePtr& shape);
// Distance from a point to the shape's geometry.
double DistanceTo(const KorrCore::ShapePtr& shape, const gp_Pnt& point);
// Distance between the geometry of two kernel shapes.
double DistanceBetween(const TopoDS_Shape& first, const TopoDS_Shape& second);
// The points of the shape's distinct vertices, in the kernel's map order.
std::vector<gp_Pnt> VertexPoints(const KorrCore::ShapePtr& shape);
// Two point lists agree entry by entry within tol.
::testing::AssertionResult PointsNear(const std::vector<gp_Pnt>& actual, const std::vector<gp_Pnt>& expected,
                                      double tol);
// The same regardless of order: each expected point matches a different actual
// point within tol, and none is left over.
::testing::AssertionResult SamePointsNear(const std::vector<gp_Pnt>& actual, const std::vector<gp_Pnt>& expected,
                                          double tol);

// Every coordinate of a float or double buffer is finite.
template <class Buffer>
::testing::AssertionResult AllFinite(const Buffer& values)
{
    for (std::size_t i = 0; i < values.size(); ++i)
        if (!std::isfinite(values[i]))
            return ::testing::AssertionFailure() << "value " << i << " is " << values[i];
    return ::testing::AssertionSuccess();
}

// Two boxes agree corner by corner within tol.
::testing::AssertionResult BoxNear(const KMath::AxisAlignedBox& box, const KMath::Vector3& min,
                                   const KMath::Vector3& max, double tol);
// The same for a shape's bounds; fails on a null handle.
::testing::AssertionResult BoundsNear(const KorrCore::ShapePtr& shape, const KMath::Vector3& min,
                                      const KMath::Vector3& max, double tol);

} // namespace KorrTest
