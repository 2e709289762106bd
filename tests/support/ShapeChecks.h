#pragma once

#include <cmath>
#include <cstddef>

#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

// Kernel-side measurements of the library's results, shared by the tests.
namespace KorrTest {

const TopoDS_Shape& Kernel(const KorrCore::ShapePtr& shape);
// A new handle holding a kernel shape, for measuring kernel results.
KorrCore::ShapePtr HandleOf(const TopoDS_Shape& shape);

double Volume(const KorrCore::ShapePtr& shape);
double Area(const KorrCore::ShapePtr& shape);
// Number of distinct sub-shapes of a kind (orientation ignored).
int CountDistinct(const KorrCore::ShapePtr& shape, TopAbs_ShapeEnum kind);
// The kernel's validity check.
bool IsValid(const KorrCore::ShapePtr& shape);

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

} // namespace KorrTest
