// The estimate that bounds meshing before the kernel starts, held against the
// kernel's own node counts: never far below them (a runaway would slip
// through), and not so far above that ordinary meshes would be refused.

#include "support/Checks.h"

#include <BRepBuilderAPI_Copy.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCone.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakeSphere.hxx>
#include <BRepPrimAPI_MakeTorus.hxx>

#include "Internal/Core/MeshEstimate.h"

namespace {

int KernelNodes(const TopoDS_Shape& shape, double deflection)
{
    const TopoDS_Shape copy = BRepBuilderAPI_Copy(shape).Shape();
    BRepMesh_IncrementalMesh(copy, deflection, Standard_False, 0.5);
    return KorrTest::Triangulated(copy).nodes;
}

} // namespace

TEST(MeshEstimate, StaysAboveTheKernelsNodeCountAndWithinTwentyTimesIt)
{
    const std::pair<const char*, TopoDS_Shape> shapes[] = {
        {"sphere", BRepPrimAPI_MakeSphere(10).Shape()},
        {"torus", BRepPrimAPI_MakeTorus(10, 2).Shape()},
        {"cylinder", BRepPrimAPI_MakeCylinder(10, 20).Shape()},
        {"cone", BRepPrimAPI_MakeCone(10, 2, 20).Shape()},
        {"box", BRepPrimAPI_MakeBox(10, 20, 30).Shape()},
    };
    for (const auto& [name, shape] : shapes)
        for (const double deflection : {0.3, 0.1, 0.01}) {
            const double estimate = KorrCore::EstimatedNodes(shape, deflection, 0.5);
            const int kernel = KernelNodes(shape, deflection);
            EXPECT_LE(kernel, 1.5 * estimate + 8) << name << " at " << deflection;
            EXPECT_LE(estimate, 20.0 * kernel + 100) << name << " at " << deflection;
        }
}

TEST(MeshEstimate, CountsEveryTurnOfAnEdgeWoundRoundItsCircle)
{
    const TopoDS_Edge rim = KorrTest::FirstCircle(BRepPrimAPI_MakeCylinder(10, 20).Shape());
    const double once = KorrCore::EstimatedEdgeNodes(rim, 0.01, 0.5);
    BRep_Builder().Range(rim, 0, 1000 * 2 * M_PI);
    EXPECT_GT(KorrCore::EstimatedEdgeNodes(rim, 0.01, 0.5), 900 * once);
}
