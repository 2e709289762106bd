#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include <optional>

#include "support/Checks.h"

// Names and colours a host gives the parts of a shape it built, and what the
// queries answer for each sub-shape.

using namespace KorrCore;
using KMath::Vector3;

namespace {

constexpr KColor kRed{1, 0, 0}, kGreen{0, 1, 0}, kBlue{0, 0, 1};

struct Attributes {
    std::wstring name, product;
    std::optional<KColor> colour;
    bool operator==(const Attributes& other) const
    {
        return name == other.name && product == other.product && colour == other.colour;
    }
};

void PrintTo(const Attributes& attributes, std::ostream* out)
{
    *out << KStringUtil::w2a(attributes.name) << " / " << KStringUtil::w2a(attributes.product) << " / ";
    if (attributes.colour)
        *out << attributes.colour->Red << "," << attributes.colour->Green << "," << attributes.colour->Blue;
}

Attributes Of(const ShapePtr& root, const ShapePtr& subShape)
{
    KColor colour;
    const bool coloured = KShapeAttributes::GetColor(root, subShape, colour);
    return {KShapeAttributes::GetName(root, subShape), KShapeAttributes::GetProductName(root, subShape),
            coloured ? std::optional<KColor>(colour) : std::nullopt};
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

TEST(KShapeAttributes, EachSubShapeHasItsOwnNamesAndShowsTheNearestColourAboveIt)
{
    const Row built;
    const struct {
        const char* what;
        ShapePtr subShape;
        Attributes expected;
    } cases[] = {
        {"the row", built.row, {L"", L"row", kGreen}},
        {"an uncoloured use", built.first, {L"", L"block", kGreen}},
        {"its face", built.firstFaces.back(), {L"", L"", kGreen}},
        {"the red use", built.second, {L"second block", L"block", kRed}},
        {"its blue face", built.secondFaces.front(), {L"blue face", L"", kBlue}},
        {"its other faces", built.secondFaces.back(), {L"", L"", kRed}},
        {"a shape elsewhere", built.elsewhere, {L"", L"", std::nullopt}},
        {"no shape", nullptr, {L"", L"", std::nullopt}},
    };
    for (const auto& query : cases)
        EXPECT_EQ(Of(built.row, query.subShape), query.expected) << query.what;
    EXPECT_EQ(Of(nullptr, built.row), (Attributes{})) << "no root";
    // The same part elsewhere has its own attributes.
    EXPECT_EQ(Of(built.block, built.block), (Attributes{}));
}

TEST(KShapeAttributes, FollowTheRootThroughCopiesAndInPlaceMovesButNotIntoNewShapes)
{
    const Row built;
    const ShapePtr copy = built.row;
    ASSERT_TRUE(KFeatureTools::TranslateInplace(copy, Vector3(0, 0, 7)));
    ASSERT_TRUE(KFeatureTools::RotationInplace(copy, KMath::Quaternion(KMath::Radian(0.3), Vector3::UNIT_X)));
    const ShapePtr moved = KorrTest::Holding(KorrTest::Children(built.row).back());
    EXPECT_EQ(Of(built.row, moved), (Attributes{L"second block", L"block", kRed}));
    EXPECT_EQ(Of(built.row, KorrTest::FacesOf(moved).front()), (Attributes{L"blue face", L"", kBlue}));

    const ShapePtr translated = KFeatureTools::Translate(built.row, Vector3(1, 0, 0));
    const ShapePtr grouped = KBrepTools::MakeCompound({built.row});
    EXPECT_EQ(Of(translated, translated), (Attributes{}));
    EXPECT_EQ(Of(grouped, KorrTest::Holding(KorrTest::Children(grouped).front())), (Attributes{}));
}

TEST(KShapeAttributes, SettersRefuseNullHandlesAndShapesTheRootDoesNotHold)
{
    const Row built;
    KorrTest::ReportRecorder recorder;
    EXPECT_FALSE(KShapeAttributes::SetName(nullptr, built.first, L"x"));
    EXPECT_FALSE(KShapeAttributes::SetColor(built.row, std::make_shared<KTopoShape>(), kRed));
    EXPECT_FALSE(KShapeAttributes::SetProductName(built.row, built.elsewhere, L"x"));
    EXPECT_EQ(recorder.messages(), (std::vector<std::string>{"Null TopoShape!", "Null Shape!", "Invalid Shape!"}));
    EXPECT_EQ(Of(built.row, built.first), (Attributes{L"", L"block", kGreen}));
}
