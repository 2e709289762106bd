#include "support/Checks.h"

// Assemblies a host builds and walks: shared parts, and what is refused.

using namespace KorrCore;

namespace {

std::vector<KAssemblyChild> ChildrenOf(const ShapePtr& shape)
{
    std::vector<KAssemblyChild> children;
    EXPECT_TRUE(KAssemblyExplor::Explor(shape, children));
    return children;
}

} // namespace

// Names, colours and placements are checked with the STEP round trip and
// against the kernel's XCAF reading of the shared files (AssemblyTree).
TEST(KAssemblyExplor, UsesOfAPartHoldItsSharedShapeOtherShapesTheirSubShapesAndBadInputsAreRefused)
{
    const std::vector<KAssemblyChild> uses = ChildrenOf(KorrTest::BuiltAssembly());
    EXPECT_TRUE(KAssemblyExplor::IsSamePart(uses[1].Shape, uses.at(2).Shape));
    EXPECT_FALSE(KAssemblyExplor::IsSamePart(uses[0].Shape, uses[1].Shape));
    const std::vector<KAssemblyChild> first = ChildrenOf(uses[1].Shape), second = ChildrenOf(uses[2].Shape);
    EXPECT_TRUE(KAssemblyExplor::IsSamePart(first.at(0).Shape, second.at(0).Shape));
    EXPECT_EQ(KAssemblyExplor::PartId(first.at(0).Shape), KAssemblyExplor::PartId(second.at(0).Shape));

    const ShapePtr box = KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, KMath::Vector3(1, 2, 3));
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
