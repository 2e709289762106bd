#include "support/Checks.h"

#include <TopExp.hxx>
#include <TopoDS_Vertex.hxx>

using namespace KorrCore;
using KorrTest::Children;
using KorrTest::Is;
using KorrTest::Kernel;

namespace {

ShapePtr Line(double x0, double y0, double x1, double y1)
{
    return KBrepTools::MakeLine({x0, y0, 0}, {x1, y1, 0});
}

ShapePtr Box()
{
    return KBrepTools::MakeBox({0, 0, 0}, {0, 0, 1}, {10, 20, 30});
}

} // namespace

TEST(KBrepToolsAssembly, WiresJoinEdgesAndWiresInOrderWithinTheJoiningToleranceReportingTheRest)
{
    const ShapeList sides = {Line(0, 0, 1, 0), Line(1, 0, 1, 1), Line(1, 1, 0, 1), Line(0, 1, 0, 0)};
    KorrTest::ReportRecorder recorder;
    const ShapePtr square = KBrepTools::MakeWire(sides);
    EXPECT_TRUE(Is(square, TopoWire, 4, {0, 0, 0}, {1, 1, 0}, 2e-5) && BRep_Tool::IsClosed(Kernel(square)));
    // The tolerance is set on the caller's edges; ends that miss by less than it meet.
    EXPECT_DOUBLE_EQ(BRep_Tool::Tolerance(TopExp::FirstVertex(TopoDS::Edge(Kernel(sides.front())))), 1e-5);
    EXPECT_EQ(KorrTest::CountDistinct(KBrepTools::MakeWire({Line(0, 0, 1, 0), Line(1 + 5e-6, 0, 1, 1)}), TopAbs_VERTEX),
              3);
    std::vector<KMath::Vector3> corners = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
    const ShapePtr joined = KBrepTools::MakeWire({KBrepTools::MakePolyline(corners.data(), 3), Line(1, 1, 0, 0)});
    EXPECT_TRUE(Is(joined, TopoWire, 2 + std::sqrt(2.0), {0, 0, 0}, {1, 1, 0}, 2e-5));
    // Anything else is reported and skipped; nothing joinable, or a stray edge, gives null.
    const ShapePtr face = KorrTest::FacesOf(Box()).front();
    const ShapePtr one = KBrepTools::MakeWire({Line(0, 0, 1, 0), face, nullptr, std::make_shared<KTopoShape>()});
    EXPECT_TRUE(Is(one, TopoWire, 1, {0, 0, 0}, {1, 0, 0}, 2e-5));
    // The third side meets the first again, which must not hide the stray second.
    EXPECT_FALSE(KBrepTools::MakeWire({face, Box()}) || KBrepTools::MakeWire({}) ||
                 KBrepTools::MakeWire({Line(0, 0, 1, 0), Line(5, 5, 6, 5), Line(1, 0, 1, 1)}));
    EXPECT_EQ(recorder.messages(), std::vector<std::string>(5, "Invalid Shape!"));
}

TEST(KBrepToolsAssembly, FacesFillPlanarWiresOnlyAndNoneNearTheKernelsInfinity)
{
    std::vector<KMath::Vector3> corners = {{0, 0, 0}, {2, 0, 0}, {2, 3, 0}, {0, 3, 0}};
    const ShapePtr disc = KBrepTools::MakeFace(KBrepTools::MakeCircle({0, 0, 2}, 3, {0, 0, 1}));
    EXPECT_TRUE(Is(disc, TopoFace, KMath::Math::PI * 9, {-3, -3, 2}, {3, 3, 2}) && KorrTest::IsValid(disc));
    EXPECT_TRUE(
        Is(KBrepTools::MakeFace(KBrepTools::MakePolygon(corners.data(), 4)), TopoFace, 6, {0, 0, 0}, {2, 3, 0}));
    // Filling this there-and-back outline near the magnitudes the kernel counts
    // as infinite would never return; such coordinates are refused when given,
    // but repeated scaling takes a wire there.
    std::vector<KMath::Vector3> far = {{0, 0, 0}, {5e-99, 8, -8e-98}};
    ShapePtr outline = KBrepTools::MakePolygon(far.data(), 2);
    for (int i = 0; i < 9; ++i)
        outline = KFeatureTools::Scale(outline, {0, 0, 0}, 1e11);
    KorrTest::ReportRecorder recorder;
    EXPECT_FALSE(KBrepTools::MakeFace(Line(0, 0, 1, 0)) ||
                 KBrepTools::MakeFace(KBrepTools::MakePolyline(corners.data(), 2)) || !outline ||
                 KBrepTools::MakeFace(outline) || recorder.count() > 0);
}

TEST(KBrepToolsAssembly, CompoundsShellsAndSolidsGatherWhatTheyCanHoldInOrder)
{
    const ShapePtr box = Box(), line = Line(0, 0, 1, 0);
    KorrTest::ReportRecorder recorder;
    const std::vector<TopoDS_Shape> children =
        Children(KBrepTools::MakeCompound({box, nullptr, line, std::make_shared<KTopoShape>()}));
    EXPECT_TRUE(children.size() == 2 && children[0].IsSame(Kernel(box)) && children[1].IsSame(Kernel(line)));
    EXPECT_EQ(recorder.messages(), std::vector<std::string>(2, "NULL"));
    // Shells take the faces alone, silently; solids are bounded by shells, by
    // the shells of solids and by one shell per face, never by what compounds hold.
    ShapeList faces = KorrTest::FacesOf(box);
    const ShapePtr shell = KBrepTools::MakeShell({faces.front(), line, nullptr, KBrepTools::MakeCompound({box})});
    EXPECT_TRUE(Is(shell, TopoShell, 600, {0, 0, 0}, {0, 20, 30}) && Children(shell).size() == 1);
    for (const ShapeList& bounds :
         {ShapeList{KBrepTools::MakeShell(faces), KBrepTools::MakeCompound({box}), nullptr}, ShapeList{box}, faces}) {
        const ShapePtr solid = KBrepTools::MakeSolid(bounds);
        EXPECT_TRUE(Is(solid, TopoSolid, 6000, {0, 0, 0}, {10, 20, 30}) && !Kernel(solid).IsSame(Kernel(box)));
        EXPECT_EQ(Children(solid).size(), bounds.size() == 6 ? 6u : 1u);
    }
    EXPECT_EQ(recorder.count(), 2u);
}
