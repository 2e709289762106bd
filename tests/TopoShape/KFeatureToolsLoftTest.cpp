#include "support/Checks.h"

#include <functional>

using namespace KorrCore;
using KorrTest::Is;
using Profile = KPipeShellParam::SectionProfile;

namespace {

constexpr double kPi = KMath::Math::PI;

ShapePtr Circle(double z, double radius)
{
    return KBrepTools::MakeCircle({0, 0, z}, radius, {0, 0, 1});
}
ShapePtr Square()
{
    return KorrTest::FacesOf(KBrepTools::MakeBox({0, 0, 0}, {0, 0, 1}, {1, 1, 1})).front();
}

// The unit circle in the XY plane swept up the Z axis from 0 to 5, with one change: a cylinder, or null.
ShapePtr Tube(const std::function<void(KPipeShellParam&)>& change)
{
    KPipeShellParam parameters;
    parameters.Spine = KBrepTools::MakeLine({0, 0, 0}, {0, 0, 5});
    parameters.AddProfile(Profile{Circle(0, 1), false, false, {}, false});
    change(parameters);
    return KFeatureTools::MakePipeShell(parameters);
}
::testing::AssertionResult IsCylinder(const ShapePtr& pipe)
{
    return KorrTest::Is(pipe, TopoSolid, 5 * kPi, {-1, -1, 0}, {1, 1, 5}, 1e-3);
}

} // namespace

TEST(KFeatureToolsLoft, LoftsSkinThroughTheirSectionsPipeShellsExtrusionsAndRevolutionsSweepAsAsked)
{
    KorrTest::ReportRecorder recorder;
    // The frustum through circles of radius 1 at z = 0 and 2 at z = 3, an edge and a wire; a face and a null are
    // skipped.
    const ShapePtr frustum =
        KFeatureTools::MakeLoft({KorrTest::EdgesOf(Circle(0, 1)).front(), Square(), nullptr, Circle(3, 2)}, true);
    EXPECT_TRUE(KorrTest::Is(frustum, TopoSolid, kPi * 7, {-2, -2, 0}, {2, 2, 3}, 1e-4) && KorrTest::IsValid(frustum));
    EXPECT_TRUE(KorrTest::Is(KFeatureTools::MakeLoft({Circle(0, 1), Circle(3, 2)}, false), TopoShell,
                             kPi * 3 * std::sqrt(10.0), {-2, -2, 0}, {2, 2, 3}, 1e-4));
    // Fewer than two sections, or neighbours on top of each other: the kernel would crash.
    const ShapePtr bottom = Circle(0, 1), twin = Circle(0, 1), top = Circle(5, 1);
    EXPECT_FALSE(
        KFeatureTools::MakeLoft({}, true) || KFeatureTools::MakeLoft({bottom}, true) ||
        KFeatureTools::MakeLoft({bottom, Square()}, false) || KFeatureTools::MakeLoft({bottom, bottom, top}, true) ||
        KFeatureTools::MakeLoft({bottom, twin, top}, false) || KFeatureTools::MakeLoft({bottom, top, top}, true));
    EXPECT_EQ(recorder.messages(), (std::vector<std::string>{"Not Edge or Wire!", "NULL Shape", "Not Edge or Wire!"}));
    EXPECT_TRUE(KFeatureTools::MakeLoft({bottom, top, twin}, false)); // a section may come back later
    // Neighbours that only touch are lofted: triangles sharing a corner bound the solid under z = x + y.
    std::vector<KMath::Vector3> flat{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, tilted{{0, 0, 0}, {1, 0, 1}, {0, 1, 1}};
    const ShapePtr wedge = KFeatureTools::MakeLoft(
        {KBrepTools::MakePolygon(flat.data(), 3), KBrepTools::MakePolygon(tilted.data(), 3)}, true);
    EXPECT_TRUE(KorrTest::Is(wedge, TopoSolid, 1.0 / 3, {0, 0, 0}, {1, 1, 1}));
    // Pipe shells: a circle along a line is a cylinder in every mode, unless placed off the spine's vertices.
    const ShapePtr support = KBrepTools::MakeFace(KBrepTools::MakeCircle({0, 0, 2}, 9, {1, 0, 0}));
    for (const auto& [mode, shape] : {std::pair{0, ShapePtr()}, std::pair{1, ShapePtr()}, std::pair{2, ShapePtr()},
                                      std::pair{3, support}, std::pair{7, ShapePtr()}})
        EXPECT_TRUE(IsCylinder(Tube([&](KPipeShellParam& p) {
            p.Mode = mode, p.AuxiliaryShape = shape;
            p.AxisDirection = mode == 2 ? KMath::Vector3::UNIT_X : KMath::Vector3::UNIT_Z;
        })));
    // The frame turns towards an auxiliary spine, leaning the circle: a slanted cylinder.
    const ShapePtr slanted = Tube([&](KPipeShellParam& p) {
        p.Mode = 4, p.AuxiliaryShape = KBrepTools::MakeLine({3, 0, 0}, {3, 0, 5});
    });
    EXPECT_TRUE(KorrTest::IsValid(slanted) && std::abs(KorrTest::Size(slanted) - 5 * kPi) < 1e-3);
    // A profile is placed at a vertex of the spine, within the kernel's tolerance, and nowhere else.
    EXPECT_TRUE(IsCylinder(
        Tube([](KPipeShellParam& p) { p.Profiles.front().Location.z = 1e-9, p.Profiles.front().UseLocation = true; })));
    EXPECT_FALSE(Tube([](KPipeShellParam& p) {
        p.AddProfile(Profile{Circle(2.5, 1), false, false, {0, 0, 2.5}, true});
    }));
    // Open profiles and spines or auxiliary spines that are faces give null silently.
    KorrTest::ReportRecorder piping;
    std::vector<KMath::Vector3> open = {{1, 0, 0}, {0, 1, 0}, {-1, 0, 0}};
    EXPECT_FALSE(
        Tube([&](KPipeShellParam& p) { p.Profiles.front().Profile = KBrepTools::MakePolyline(open.data(), 3); }) ||
        Tube([](KPipeShellParam& p) { p.Spine = Square(); }) ||
        Tube([](KPipeShellParam& p) { p.Mode = 4, p.AuxiliaryShape = Square(); }) || piping.count() > 0);
    // A missing auxiliary shape or list of profiles is reported; a missing profile is reported and skipped.
    EXPECT_FALSE(Tube([](KPipeShellParam& p) { p.Mode = 3; }) || Tube([](KPipeShellParam& p) { p.Mode = 4; }) ||
                 Tube([](KPipeShellParam& p) { p.Profiles.clear(); }));
    const ShapePtr skipping = Tube([](KPipeShellParam& p) { p.Profiles.push_front(Profile{}); });
    EXPECT_EQ(KLastOutcome().Message, "profile 1 is a null handle");
    EXPECT_TRUE(IsCylinder(skipping));
    EXPECT_EQ(piping.messages(), std::vector<std::string>(4, ""));
    // Extrusions sweep along direction times length, revolutions by radians inside the partial range.
    std::vector<KMath::Vector3> corners = {{1, 0, 0}, {2, 0, 0}, {2, 0, 1}, {1, 0, 1}};
    const ShapePtr square = KBrepTools::MakeFace(KBrepTools::MakePolygon(corners.data(), 4));
    EXPECT_TRUE(Is(KFeatureTools::Extrude(square, 5, {0, 2, 0}), TopoSolid, 10, {1, 0, 0}, {2, 10, 1}));
    EXPECT_TRUE(Is(KFeatureTools::Extrude(square, -3, {0, 1, 0}), TopoSolid, 3, {1, -3, 0}, {2, 0, 1}));
    EXPECT_TRUE(Is(KFeatureTools::Extrude(KBrepTools::MakeCircle({0, 0, 0}, 1, {0, 0, 1}), 2, {0, 0, 1}), TopoShell,
                   4 * kPi, {-1, -1, 0}, {1, 1, 2}));
    // The square from x = 1 to 2 about z sweeps a ring of volume angle * 1.5, a full one outside (0.01, 2 pi).
    for (double angle : {0.01, kPi / 2, 2 * kPi, 0.0, -1.0, 0.0099, 7.0, std::nan("")}) {
        const bool partial = angle >= 0.01 && angle <= 2 * kPi;
        EXPECT_NEAR(KorrTest::Size(KFeatureTools::Revol(square, {0, 0, 0}, {0, 0, 1}, angle)),
                    (partial ? angle : 2 * kPi) * 1.5, 1e-6);
    }
    // A quarter turn about an axis through (0, 0, 5), upwards from +x towards +y.
    EXPECT_TRUE(Is(KFeatureTools::Revol(square, {0, 0, 5}, {0, 0, 3}, kPi / 2), TopoSolid, kPi / 2 * 1.5, {0, 0, 0},
                   {2, 2, 1}));
    // The kernel declines a profile crossing the axis without raising: the handle exists but holds nothing.
    KorrTest::ReportRecorder extruding;
    EXPECT_FALSE(KFeatureTools::Extrude(square, 0, {0, 0, 1}) || KFeatureTools::Extrude(square, 1, {0, 0, 0}) ||
                 KFeatureTools::Revol(square, {0, 0, 0}, {0, 0, 0}, 1.0) || extruding.count() > 0);
    for (double angle : {1.0, 0.0}) {
        const ShapePtr declined = KFeatureTools::Revol(square, {1.5, 0, 0}, {0, 0, 1}, angle);
        EXPECT_TRUE(declined && declined->IsNull()) << angle;
    }
}
