#include "support/Checks.h"

using KorrCore::KStringUtil;

namespace {

std::wstring Wide(std::initializer_list<unsigned> codes)
{
    return std::wstring(codes.begin(), codes.end());
}

} // namespace

TEST(KStringUtil, EncodesEveryUtf8LengthAtItsBoundsJoiningSurrogatePairsAndReplacesWhatIsMalformed)
{
    const std::wstring wide = Wide({'a', 0x80, 0x7FF, 0x800, 0xFFFD, 0x10000, 0x10FFFF});
    const std::string utf8 = "a\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBD\xF0\x90\x80\x80\xF4\x8F\xBF\xBF";
    EXPECT_EQ(KStringUtil::w2a(wide), utf8);
    EXPECT_EQ(KStringUtil::a2w(utf8), wide);
    EXPECT_EQ(KStringUtil::w2a(Wide({0xD83D, 0xDE00, 0xDBFF, 0xDFFF})), "\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF");
    EXPECT_EQ(KStringUtil::w2a(Wide({'a', 0xDC00, 'b', 0xD800, 0x110000})), "a\xEF\xBF\xBD"
                                                                            "b\xEF\xBF\xBD\xEF\xBF\xBD");
    // A stray continuation byte, an overlong '/', a truncated sequence, an
    // encoded surrogate and a code point beyond U+10FFFF.
    EXPECT_EQ(KStringUtil::a2w("a\x80"
                               "b\xC0\xAF\xE2\x82"),
              Wide({'a', 0xFFFD, 'b', 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}));
    EXPECT_EQ(KStringUtil::a2w("\xED\xA0\x80\xF4\x90\x80\x80"), std::wstring(7, 0xFFFD));
}
