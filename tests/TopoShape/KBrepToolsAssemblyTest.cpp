#include "support/Checks.h"

#include <TopExp.hxx>
#include <TopoDS_Vertex.hxx>

using namespace KorrCore;
using KorrTest::Children;
using KorrTest::Is;
using KorrTest::Kernel;

namespace {

ShapePtr Line(double x0, double x1, double y1)
{
    return KBrepTools::MakeLine(KMath::Vector3(x0, 0, 0), KMath::Vector3(x1, y1, 0));
}

} // namespace

TEST(KBrepToolsAssembly, WiresFacesCompoundsShellsAndSolidsGatherWhatTheyCanHoldInOrderReportingTheRest)
{
    KorrTest::ReportRecorder recorder;
    std::vector<KMath::Vector3> corners = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
    const ShapePtr side = KBrepTools::MakeLine({1, 1, 0}, {0, 0, 0}),
                   face = KorrTest::FacesOf(KBrepTools::MakeBox({0, 0, 0}, {0, 0, 1}, {1, 1, 1})).front();
    // The wire and the edge close a triangle; the end that misses by less than the joining tolerance meets.
    const ShapePtr triangle = KBrepTools::MakeWire({KBrepTools::MakePolyline(corners.data(), 3), side});
    EXPECT_TRUE(Is(triangle, TopoWire, 2 + std::sqrt(2.0), {0, 0, 0}, {1, 1, 0}, 2e-5) &&
                BRep_Tool::IsClosed(Kernel(triangle)));
    EXPECT_DOUBLE_EQ(BRep_Tool::Tolerance(TopExp::FirstVertex(TopoDS::Edge(Kernel(side)))),
                     1e-5); // set on the caller's edge
    EXPECT_EQ(KorrTest::CountDistinct(KBrepTools::MakeWire({Line(0, 1, 0), Line(1 + 5e-6, 1, 1)}), TopAbs_VERTEX), 3);
    // Anything else is reported and skipped; nothing joinable, or a stray edge, gives null.
    const ShapePtr one = KBrepTools::MakeWire({Line(0, 1, 0), face, nullptr, std::make_shared<KTopoShape>()});
    EXPECT_TRUE(Is(one, TopoWire, 1, {0, 0, 0}, {1, 0, 0}, 2e-5));
    // The third side meets the first again, which must not hide the stray second.
    EXPECT_FALSE(KBrepTools::MakeWire({face, face}) || KBrepTools::MakeWire({}) ||
                 KBrepTools::MakeWire({Line(0, 1, 0), Line(5, 6, 5), Line(1, 1, 1)}));
    EXPECT_EQ(recorder.messages(), std::vector<std::string>(5, "Invalid Shape!"));
    // Faces fill planar wires only, and none near the kernel's infinity.
    std::vector<KMath::Vector3> rectangle = {{0, 0, 0}, {2, 0, 0}, {2, 3, 0}, {0, 3, 0}};
    const ShapePtr disc = KBrepTools::MakeFace(KBrepTools::MakeCircle({0, 0, 2}, 3, {0, 0, 1}));
    EXPECT_TRUE(Is(disc, TopoFace, KMath::Math::PI * 9, {-3, -3, 2}, {3, 3, 2}) && KorrTest::IsValid(disc));
    EXPECT_TRUE(
        Is(KBrepTools::MakeFace(KBrepTools::MakePolygon(rectangle.data(), 4)), TopoFace, 6, {0, 0, 0}, {2, 3, 0}));
    // Filling this there-and-back outline near the magnitudes the kernel counts
    // as infinite would never return; such coordinates are refused when given,
    // but repeated scaling takes a wire there.
    std::vector<KMath::Vector3> far = {{0, 0, 0}, {5e-99, 8, -8e-98}};
    ShapePtr outline = KBrepTools::MakePolygon(far.data(), 2);
    for (int i = 0; i < 9; ++i)
        outline = KFeatureTools::Scale(outline, {0, 0, 0}, 1e11);
    KorrTest::ReportRecorder silent;
    EXPECT_FALSE(KBrepTools::MakeFace(Line(0, 1, 0)) ||
                 KBrepTools::MakeFace(KBrepTools::MakePolyline(rectangle.data(), 2)) || !outline ||
                 KBrepTools::MakeFace(outline) || silent.count() > 0);
    // Compounds, shells and solids gather what they can hold, in order.
    const ShapePtr box = KBrepTools::MakeBox({0, 0, 0}, {0, 0, 1}, {10, 20, 30}), line = Line(0, 1, 0);
    KorrTest::ReportRecorder gathering;
    const std::vector<TopoDS_Shape> children =
        Children(KBrepTools::MakeCompound({box, nullptr, line, std::make_shared<KTopoShape>()}));
    EXPECT_TRUE(children.size() == 2 && children[0].IsSame(Kernel(box)) && children[1].IsSame(Kernel(line)));
    EXPECT_EQ(gathering.messages(), std::vector<std::string>(2, "NULL"));
    // Shells take the faces alone, silently; solids are bounded by shells, by
    // the shells of solids and by one shell per face, never by what compounds hold.
    const ShapeList faces = KorrTest::FacesOf(box);
    EXPECT_TRUE(Is(KBrepTools::MakeShell({faces.front(), line, nullptr, KBrepTools::MakeCompound({box})}), TopoShell,
                   600, {0, 0, 0}, {0, 20, 30}));
    for (const ShapeList& bounds :
         {ShapeList{KBrepTools::MakeShell(faces), KBrepTools::MakeCompound({box}), nullptr}, ShapeList{box}, faces}) {
        const ShapePtr solid = KBrepTools::MakeSolid(bounds);
        EXPECT_TRUE(Is(solid, TopoSolid, 6000, {0, 0, 0}, {10, 20, 30}) &&
                    Children(solid).size() == (bounds.size() == 6 ? 6u : 1u));
    }
    EXPECT_EQ(gathering.count(), 2u);
}
