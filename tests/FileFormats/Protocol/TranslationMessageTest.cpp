#include "Internal/Protocol/TranslationMessage.h"

#include <BRepPrimAPI_MakeBox.hxx>
#include <TopExp_Explorer.hxx>

#include "support/Checks.h"

// A translated shape and its names and colours cross between processes as one
// message: what is sent comes back, and a message cut short or run on is
// refused rather than read.

using namespace KorrCore;

namespace {

void ExpectSame(const SubShapeAttributes& got, const SubShapeAttributes& sent)
{
    EXPECT_EQ(got.name, sent.name);
    EXPECT_EQ(got.product, sent.product);
    EXPECT_EQ(got.use, sent.use);
    EXPECT_EQ(got.colour, sent.colour);
}

} // namespace

TEST(TranslationMessage, WhatIsSentComesBackAndAMessageCutShortOrRunOnIsRefused)
{
    const TopoDS_Shape box = BRepPrimAPI_MakeBox(1, 2, 3).Shape();
    const TopoDS_Shape face = TopExp_Explorer(box, TopAbs_FACE).Current();
    const SubShapeAttributes part{"Bolt \xE2\x80\x93 M8\n2", "ISO 4017", KColor{0.25f, 0.5f, 1.0f, 0.75f}, true};
    const SubShapeAttributes named{"top face", "", std::nullopt, false};
    ShapeAttributes attributes;
    attributes.Set(box, part);
    attributes.Set(face, named);
    attributes.Set(BRepPrimAPI_MakeBox(1, 1, 1).Shape(), part);
    const std::string message = Xde::EncodeTranslation(box, attributes);
    const TopTools_IndexedMapOfShape walk = Xde::SubShapesInRootFrame(box);

    const std::optional<Xde::DecodedTranslation> decoded = Xde::DecodeTranslation(message);
    ASSERT_TRUE(decoded);
    std::ostringstream text;
    BRepTools::Write(box, text);
    EXPECT_EQ(decoded->brep, text.str());
    EXPECT_EQ(decoded->subShapeCount, walk.Extent());
    ASSERT_EQ(decoded->entries.size(), 2u) << "only the root's own sub-shapes";
    EXPECT_EQ(decoded->entries[0].first, 1);
    ExpectSame(decoded->entries[0].second, part);
    EXPECT_EQ(decoded->entries[1].first, walk.FindIndex(face));
    ExpectSame(decoded->entries[1].second, named);

    const std::optional<ShapeAttributes> onRoot = Xde::AttributesOn(box, *decoded);
    ASSERT_TRUE(onRoot);
    ASSERT_TRUE(onRoot->Find(face));
    ExpectSame(*onRoot->Find(face), named);
    EXPECT_FALSE(Xde::AttributesOn(face, *decoded)) << "another walk";

    for (std::size_t length = 0; length < message.size(); ++length)
        EXPECT_FALSE(Xde::DecodeTranslation(std::string_view(message).substr(0, length))) << length;
    EXPECT_FALSE(Xde::DecodeTranslation(message + "\n"));
}
