#include "support/Checks.h"

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::Is;

namespace {

// Two triangles of the unit square, sharing its diagonal, then those given.
ShapePtr MeshShell(std::vector<Vector3> more = {})
{
    std::vector<Vector3> vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    vertices.insert(vertices.end(), more.begin(), more.end());
    return KBrepToolsEx::MakeMeshShell(vertices.data(), static_cast<int>(vertices.size()));
}

} // namespace

TEST(KBrepToolsEx, BoxesAndRoadsLieAlongSegmentsNotTooShortMeshShellsHoldOneUnsewnFacePerWholeTriangle)
{
    // Along a level diagonal at height 5, 4 wide across it and 2 high.
    EXPECT_TRUE(Is(KBrepToolsEx::MakeBox({1, 2, 5}, {7, 10, 5}, 4, 2), TopoSolid, 80, {-0.6, 0.8, 5}, {8.6, 11.2, 7}));
    EXPECT_TRUE(Is(KBrepToolsEx::MakeBox({0, 0, 0}, {0.01, 0, 0}, 2, 3), TopoSolid, 0.06, {0, -1, 0}, {0.01, 1, 3}));
    // A road 8 wide and 20 long, its edges 0.5 and its crown 0.7 high; the open form lacks the ends.
    const ShapePtr road = KBrepToolsEx::MakeRoad({0, 0, 0}, {0, 20, 0}, 8, 0.5, 0.7, true);
    const ShapePtr sides = KBrepToolsEx::MakeRoad({0, 0, 0}, {0, 20, 0}, 8, 0.5, 0.7, false);
    EXPECT_TRUE(Is(road, TopoSolid, (8 * 0.5 + 8 * 0.2 / 2) * 20, {-4, 0, 0}, {4, 20, 0.7}) && KorrTest::IsValid(road));
    EXPECT_TRUE(Is(sides, TopoShell, (8 + 2 * 0.5 + 2 * std::hypot(4, 0.2)) * 20, {-4, 0, 0}, {4, 20, 0.7}));
    for (const Vector3& corner : {Vector3(4, 0, 0.5), Vector3(0, 20, 0.7), Vector3(-4, 20, 0.5)})
        EXPECT_LT(KorrTest::DistanceTo(road, corner) + KorrTest::DistanceTo(sides, corner), 1e-9);
    // Short, collapsed or vertical segments and sections without width give null silently.
    KorrTest::ReportRecorder recorder;
    for (const Vector3& end : {Vector3(1.005, 1, 1), Vector3(1, 1, 1), Vector3(NAN, 1, 1), Vector3(1, 1, 11)})
        EXPECT_FALSE(KBrepToolsEx::MakeBox({1, 1, 1}, end, 2, 3) ||
                     KBrepToolsEx::MakeRoad({1, 1, 1}, end, 2, 0.5, 0.7, true) ||
                     KBrepToolsEx::MakeRoad({1, 1, 1}, end, 2, 0.5, 0.7, false));
    EXPECT_FALSE(KBrepToolsEx::MakeBox({0, 0, 0}, {10, 0, 0}, 0, 3) ||
                 KBrepToolsEx::MakeBox({0, 0, 0}, {10, 0, 0}, 2, 0) || recorder.count() > 0);
    // Cross-sections the kernel cannot make are reported.
    EXPECT_FALSE(KBrepToolsEx::MakeBox({0, 0, 0}, {10, 0, 0}, 1e120, 3) ||
                 KBrepToolsEx::MakeRoad({0, 0, 0}, {10, 0, 0}, 2, NAN, 0.7, true));
    EXPECT_EQ(recorder.messages(), (std::vector<std::string>{"Failed to make polygon", "Failed to create outline!"}));
    // Mesh shells hold one unsewn face per whole triangle.
    const ShapePtr shell = MeshShell();
    EXPECT_TRUE(Is(shell, TopoShell, 1, {0, 0, 0}, {1, 1, 0}));
    EXPECT_EQ(KorrTest::CountDistinct(shell, TopAbs_EDGE), 6); // the shared diagonal is not merged
    Vector3 vertices[6];
    KorrTest::ReportRecorder shellRecorder;
    EXPECT_FALSE(KBrepToolsEx::MakeMeshShell(vertices, 7) || KBrepToolsEx::MakeMeshShell(vertices, -4));
    EXPECT_EQ(shellRecorder.messages(), std::vector<std::string>(2, "Invalid vertex count!"));
    for (const ShapePtr& empty : {KBrepToolsEx::MakeMeshShell(vertices, 0), KBrepToolsEx::MakeMeshShell(nullptr, 0)})
        EXPECT_TRUE(Is(empty, TopoShell, 0, {0, 0, 0}, {1, 1, 1}));
    // No array; a corner not a number, infinite or near the kernel's infinity,
    // or a triangle shrunk to a point: the kernel raises or never returns.
    EXPECT_FALSE(KBrepToolsEx::MakeMeshShell(nullptr, 6) || MeshShell({{NAN, 0, 0}, {1, 0, 0}, {0, 1, 0}}) ||
                 MeshShell({{0, HUGE_VAL, 0}, {1, 0, 0}, {0, 1, 0}}) ||
                 MeshShell({{0, 8e99, 0}, {1, 0, 0}, {0, 1, 0}}) || MeshShell({{2, 2, 2}, {2, 2, 2}, {2, 2, 2}}));
    EXPECT_EQ(shellRecorder.count(), 2u);
}
