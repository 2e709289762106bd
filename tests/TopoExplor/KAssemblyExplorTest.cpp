#include <TopExp_Explorer.hxx>
#include <gp_Quaternion.hxx>

#include "support/Checks.h"

// Assemblies a host builds and walks: placements, names, colours and shared
// parts, checked against the kernel's own placing of each solid.

using namespace KorrCore;

namespace {

std::vector<KAssemblyChild> ChildrenOf(const ShapePtr& shape)
{
    std::vector<KAssemblyChild> children;
    EXPECT_TRUE(KAssemblyExplor::Explor(shape, children));
    return children;
}

// Each solid's placement in the root, composed down the walk.
void PlaceSolids(const ShapePtr& shape, const gp_Trsf& above, std::vector<gp_Trsf>& placed)
{
    for (const KAssemblyChild& child : ChildrenOf(shape)) {
        const double* m = child.Placement.m;
        gp_Trsf own;
        own.SetValues(m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11]);
        child.Kind == TopoSolid ? placed.push_back(above * own) : PlaceSolids(child.Shape, above * own, placed);
    }
}

} // namespace

// Names, and the tree they make, are checked with the STEP round trip
// (AssemblyTree).
TEST(KAssemblyExplor, WalksABuiltAssemblyWithItsPlacementsColoursAndSharedParts)
{
    const ShapePtr top = KorrTest::BuiltAssembly();
    ASSERT_TRUE(KAssemblyExplor::IsAssembly(top));
    const std::vector<KAssemblyChild> uses = ChildrenOf(top);
    EXPECT_EQ(uses.at(0).Colour, (KColor{0, 0, 1, 1}));
    EXPECT_TRUE(KAssemblyExplor::IsSamePart(uses[1].Shape, uses.at(2).Shape));
    EXPECT_FALSE(KAssemblyExplor::IsSamePart(uses[0].Shape, uses[1].Shape));
    // Through a child's handle, the colours and shared parts below it.
    const std::vector<KAssemblyChild> first = ChildrenOf(uses[1].Shape), second = ChildrenOf(uses[2].Shape);
    EXPECT_EQ(second.at(0).Colour, (KColor{1, 0, 0, 1}));
    EXPECT_FALSE(second.at(1).Colour.has_value());
    EXPECT_TRUE(KAssemblyExplor::IsSamePart(first.at(0).Shape, second[0].Shape));

    // Composed down the walk, each placement is where the kernel's explorer
    // finds that solid.
    std::vector<gp_Trsf> placed;
    PlaceSolids(top, gp_Trsf(), placed);
    std::size_t n = 0;
    for (TopExp_Explorer solid(KorrTest::Kernel(top), TopAbs_SOLID); solid.More(); solid.Next(), ++n) {
        ASSERT_LT(n, placed.size());
        const gp_Trsf kernel = solid.Current().Location().Transformation();
        EXPECT_TRUE(placed[n].TranslationPart().IsEqual(kernel.TranslationPart(), 1e-12)) << n;
        EXPECT_TRUE(placed[n].GetRotation().IsEqual(kernel.GetRotation())) << n;
    }
    EXPECT_EQ(n, placed.size());
}

TEST(KAssemblyExplor, OtherShapesGiveTheirSubShapesAndBadInputsAreRefusedWithTheirReasons)
{
    const ShapePtr box = KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, KMath::Vector3(1, 2, 3));
    const std::vector<KAssemblyChild> shells = ChildrenOf(box);
    EXPECT_EQ(shells.at(0).Kind, TopoShell);
    EXPECT_EQ(ChildrenOf(shells[0].Shape).size(), 6u);
    EXPECT_FALSE(KAssemblyExplor::IsAssembly(KBrepTools::MakeCompound({box, box}))) << "no product names";

    KorrTest::ReportRecorder recorder;
    std::vector<KAssemblyChild> children;
    EXPECT_FALSE(KAssemblyExplor::Explor(nullptr, children));
    EXPECT_EQ(KLastOutcome().Code, KOutcomeCode::NullShape);
    EXPECT_FALSE(KBrepTools::MakeAssembly({}, L"A"));
    EXPECT_EQ(KLastOutcome().Code, KOutcomeCode::InvalidArgument);
    EXPECT_FALSE(KBrepTools::MakeAssembly({{nullptr, KorrTest::Moved(0), L"", L"P"}}, L"A"));
    EXPECT_EQ(KLastOutcome().Code, KOutcomeCode::NullShape);
    // A shear, a scale, a mirror, NaN and a move beyond the model's scale.
    for (const auto& [entry, value] :
         std::initializer_list<std::pair<int, double>>{{1, 0.5}, {0, 2.0}, {0, -1.0}, {3, std::nan("")}, {3, 1e13}}) {
        KAssemblyChild use{box, KorrTest::Moved(0), L"", L"P"};
        use.Placement.m[entry] = value;
        EXPECT_FALSE(KBrepTools::MakeAssembly({use}, L"A"));
        EXPECT_EQ(KLastOutcome().Code, KOutcomeCode::InvalidArgument) << KLastOutcome().Message;
    }
}
