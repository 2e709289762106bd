// The mesher's work is estimated before the kernel starts, and work beyond
// the host's bound on triangles, the memory the process can get or the time
// the watch allows is refused with the reason, leaving no triangulation.

#include "support/Checks.h"

#include <gmock/gmock.h>

#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

using namespace KorrCore;
using KorrTest::Kernel;
using KorrTest::Triangulated;

namespace {

// A compound of n unit squares side by side: a grid of planar faces.
ShapePtr Grid(int n)
{
    TopoDS_Compound grid;
    BRep_Builder().MakeCompound(grid);
    for (int i = 0; i < n; ++i) {
        BRepBuilderAPI_MakePolygon square(gp_Pnt(i, 0, 0), gp_Pnt(i + 1, 0, 0), gp_Pnt(i + 1, 1, 0), gp_Pnt(i, 1, 0),
                                          Standard_True);
        BRep_Builder().Add(grid, BRepBuilderAPI_MakeFace(square.Wire(), Standard_True).Face());
    }
    return KorrTest::Holding(grid);
}

enum MeshedInChild { RefusedForMemory, MeshedWhole, RefusedOtherwise, MeshedWithBareFaces };

// Cylinders of their own geometry in a row: three faces each, whose caps
// share their circles with the side.
TopoDS_Shape Cylinders(int n)
{
    TopoDS_Compound row;
    BRep_Builder().MakeCompound(row);
    const TopoDS_Shape cylinder = BRepPrimAPI_MakeCylinder(1, 2).Shape();
    for (int i = 0; i < n; ++i) {
        gp_Trsf step;
        step.SetTranslation(gp_Vec(3.0 * i, 0, 0));
        BRep_Builder().Add(row, BRepBuilderAPI_Transform(cylinder, step, Standard_True).Shape());
    }
    return row;
}

// Meshes the grid in a child whose address space is bounded to `limit` bytes
// (or to what the child holds plus `limit` when `beyondHeld`).
int MeshedUnderLimit(const ShapePtr& grid, double limit, bool beyondHeld)
{
    const pid_t child = ::fork();
    if (child == 0) {
        std::ifstream statm("/proc/self/statm");
        double pages = 0;
        statm >> pages;
        const double held = beyondHeld ? pages * ::sysconf(_SC_PAGESIZE) : 0.0;
        const rlimit bound{static_cast<rlim_t>(held + limit), static_cast<rlim_t>(held + limit)};
        ::setrlimit(RLIMIT_AS, &bound);
        KShapeMesh mesh;
        const bool meshed = KShapeMesher::Mesh(grid, KMeshOptions(), mesh);
        const KOutcomeCode code = KLastOutcome().Code;
        if (meshed)
            ::_exit(Triangulated(Kernel(grid)).triangulated == Triangulated(Kernel(grid)).faces ? MeshedWhole
                                                                                                : MeshedWithBareFaces);
        ::_exit(code == KOutcomeCode::OutOfMemory || code == KOutcomeCode::TooLarge ? RefusedForMemory
                                                                                    : RefusedOtherwise);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

TEST(ShapeMesherBudget, MeshesBeyondTheHostsBoundOrAtDeflectionsNoDisplayNeedsAreRefusedWithTheReason)
{
    const ShapePtr sphere = KBrepTools::MakeSphere({0, 0, 0}, 10);
    KMeshOptions options;
    EXPECT_EQ(options.MaxTriangles, 50e6) << "the default the header promises";
    options.Deflection = 0.1;
    options.MaxTriangles = 100;
    KShapeMesh mesh;
    EXPECT_FALSE(KShapeMesher::Mesh(sphere, options, mesh));
    EXPECT_EQ(KLastOutcome().Code, KOutcomeCode::TooLarge);
    EXPECT_NE(KLastOutcome().Message.find("more than the limit of 1e+02"), std::string::npos) << KLastOutcome().Message;
    EXPECT_EQ(Triangulated(Kernel(sphere)).triangulated, 0);
    options.MaxTriangles = 1e6;
    EXPECT_TRUE(KShapeMesher::Mesh(sphere, options, mesh));
    // Deflections no display needs are refused before the kernel starts: at
    // these it grids spheres, tori and cylinders for minutes without looking
    // at the watch, until memory runs out.
    const ShapePtr shapes[] = {KBrepTools::MakeSphere({0, 0, 0}, 10),
                               KFeatureTools::Boolean(KBrepTools::MakeSphere({0, 0, 0}, 10),
                                                      KBrepTools::MakeBox({-5, -5, -5}, {0, 0, 1}, {30, 30, 30}),
                                                      BooleanCut),
                               KBrepTools::MakeCylinder({0, 0, 0}, {0, 0, 1}, 10, 20, 0)};
    for (const ShapePtr& shape : shapes)
        for (const double deflection : {1e-6, 1e-7}) {
            KMeshOptions fine;
            fine.Deflection = deflection;
            KShapeMesh none;
            EXPECT_FALSE(KShapeMesher::Mesh(shape, fine, none)) << deflection;
            EXPECT_NE(KLastOutcome().Code, KOutcomeCode::Ok) << deflection;
            EXPECT_FALSE(KLastOutcome().Message.empty()) << deflection;
            EXPECT_EQ(Triangulated(Kernel(shape)).triangulated, 0) << deflection;
        }
}

TEST(ShapeMesherBudget, AModelLargerThanTheMemoryLeftIsRefusedNotMeshedEmpty)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a sanitizer's own mappings need room that an address-space limit takes away";
#endif
    // The mesher's model of 4,000 faces needs about 100 MB.
    const ShapePtr grid = Grid(4000);
    EXPECT_EQ(MeshedUnderLimit(grid, 64e6, true), RefusedForMemory);
    KShapeMesh mesh;
    EXPECT_TRUE(KShapeMesher::Mesh(grid, KMeshOptions(), mesh));
}

TEST(ShapeMesherBudget, NinetyThousandFacesInOneAndAHalfGigabytesAreMeshedWholeOrRefused)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a sanitizer's own mappings need room that an address-space limit takes away";
#endif
    // Met in one call, the kernel's model of these faces alone would need
    // 3 GB; met in batches, about 700 MB.
    EXPECT_THAT(MeshedUnderLimit(Grid(90000), 1.5e9, false), testing::AnyOf(MeshedWhole, RefusedForMemory));
}

TEST(ShapeMesherBudget, AShapeMetInBatchesIsMeshedAsInOneCallOfTheKernel)
{
    // 2,001 faces: a batch and one face, the last cylinder's faces on both sides.
    const ShapePtr batched = KorrTest::Holding(Cylinders(667));
    const TopoDS_Shape whole = Cylinders(667);
    KMeshOptions options;
    options.Deflection = 0.01;
    KShapeMesh mesh;
    ASSERT_TRUE(KShapeMesher::Mesh(batched, options, mesh));
    BRepMesh_IncrementalMesh(whole, options.Deflection, Standard_False, options.AngularDeflection);
    EXPECT_EQ(Triangulated(Kernel(batched)).triangles, Triangulated(whole).triangles);
    EXPECT_TRUE(KorrTest::WellFormed(mesh));
    // Watertight: the triangles enclose the cylinders' volume.
    double volume = 0;
    for (const KMeshPart& part : mesh.Parts)
        volume += KorrTest::EnclosedVolume(part.Positions, part.Indices);
    EXPECT_NEAR(volume, 667 * M_PI * 2, 667 * M_PI * 2 * 1e-2);
}
