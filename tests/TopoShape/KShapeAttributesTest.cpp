#include <optional>
#include <tuple>

#include "support/Checks.h"

// Names and colours a host gives the parts of a shape it built, and what the
// queries answer for each sub-shape.

using namespace KorrCore;
using KMath::Vector3;

namespace {

constexpr KColor kRed{1, 0, 0}, kGreen{0, 1, 0}, kBlue{0, 0, 1};

// Name, product name and shown colour.
using Attributes = std::tuple<std::string, std::string, std::optional<KColor>>;
const Attributes kNone;

Attributes Of(const ShapePtr& root, const ShapePtr& subShape)
{
    KColor colour;
    const bool coloured = KShapeAttributes::GetColor(root, subShape, colour);
    return {KStringUtil::w2a(KShapeAttributes::GetName(root, subShape)),
            KStringUtil::w2a(KShapeAttributes::GetProductName(root, subShape)),
            coloured ? std::make_optional(colour) : std::nullopt};
}

// Two uses of one block in a row; the second use is red and its first face
// blue, the row green.
struct Row {
    ShapePtr block = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(1, 2, 3));
    ShapePtr row = KBrepTools::MakeCompound({block, KFeatureTools::Translate(block, Vector3(5, 0, 0))});
    ShapePtr first = KorrTest::Holding(KorrTest::Children(row).front());
    ShapePtr second = KorrTest::Holding(KorrTest::Children(row).back());
    ShapeList firstFaces = KorrTest::FacesOf(first), secondFaces = KorrTest::FacesOf(second);
    ShapePtr elsewhere = KBrepTools::MakeSphere(Vector3::ZERO, 1);

    Row()
    {
        EXPECT_TRUE(KShapeAttributes::SetProductName(row, row, L"row"));
        EXPECT_TRUE(KShapeAttributes::SetColor(row, row, kGreen));
        for (const ShapePtr& use : {first, second})
            EXPECT_TRUE(KShapeAttributes::SetProductName(row, use, L"block"));
        EXPECT_TRUE(KShapeAttributes::SetName(row, second, L"second block"));
        EXPECT_TRUE(KShapeAttributes::SetColor(row, second, kRed));
        EXPECT_TRUE(KShapeAttributes::SetColor(row, secondFaces.front(), kBlue));
        EXPECT_TRUE(KShapeAttributes::SetName(row, secondFaces.front(), L"blue face"));
    }
};

} // namespace

// Setters refuse null handles and shapes the root does not hold, changing
// nothing.
TEST(KShapeAttributes, EachSubShapeHasItsOwnNamesAndShowsTheNearestColourAboveItThroughMovesButNotIntoNewShapes)
{
    const Row built;
    KorrTest::ReportRecorder recorder;
    EXPECT_FALSE(KShapeAttributes::SetName(nullptr, built.first, L"x"));
    EXPECT_FALSE(KShapeAttributes::SetColor(built.row, std::make_shared<KTopoShape>(), kRed));
    EXPECT_FALSE(KShapeAttributes::SetProductName(built.row, built.elsewhere, L"x"));
    EXPECT_EQ(recorder.messages(), (std::vector<std::string>{"Null TopoShape!", "Null Shape!", "Invalid Shape!"}));
    const struct {
        const char* what;
        ShapePtr root, subShape;
        Attributes expected;
    } cases[] = {
        {"the row", built.row, built.row, Attributes("", "row", kGreen)},
        {"an uncoloured use", built.row, built.first, Attributes("", "block", kGreen)},
        {"its face", built.row, built.firstFaces.back(), Attributes("", "", kGreen)},
        {"the red use", built.row, built.second, Attributes("second block", "block", kRed)},
        {"its blue face", built.row, built.secondFaces.front(), Attributes("blue face", "", kBlue)},
        {"its other faces", built.row, built.secondFaces.back(), Attributes("", "", kRed)},
        {"a shape elsewhere", built.row, built.elsewhere, kNone},
        {"no shape", built.row, nullptr, kNone},
        {"no root", nullptr, built.row, kNone},
        {"the same part elsewhere", built.block, built.block, kNone},
    };
    for (const auto& query : cases)
        EXPECT_EQ(Of(query.root, query.subShape), query.expected) << query.what;
    // They follow the root through copies and in-place moves, but not into new shapes.
    const ShapePtr copy = built.row;
    ASSERT_TRUE(KFeatureTools::TranslateInplace(copy, Vector3(0, 0, 7)));
    ASSERT_TRUE(KFeatureTools::RotationInplace(copy, KMath::Quaternion(KMath::Radian(0.3), Vector3::UNIT_X)));
    const ShapePtr moved = KorrTest::Holding(KorrTest::Children(built.row).back());
    EXPECT_EQ(Of(built.row, moved), Attributes("second block", "block", kRed));
    EXPECT_EQ(Of(built.row, KorrTest::FacesOf(moved).front()), Attributes("blue face", "", kBlue));

    const ShapePtr translated = KFeatureTools::Translate(built.row, Vector3(1, 0, 0));
    const ShapePtr grouped = KBrepTools::MakeCompound({built.row});
    EXPECT_EQ(Of(translated, translated), kNone);
    EXPECT_EQ(Of(grouped, KorrTest::Holding(KorrTest::Children(grouped).front())), kNone);
}
