#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/ReportRecorder.h"

using KorrCore::KcAssert;
using KorrCore::KStringUtil;

TEST(KcAssert, ReturnsConditionAndReportsOnlyFailures)
{
    KorrTest::ReportRecorder recorder;
    EXPECT_TRUE(KcAssert::Assert(true, "never shown", "here", 1));
    EXPECT_FALSE(KcAssert::Assert(false, "shown", "Some/File", 42));
    ASSERT_EQ(recorder.count(), 1u);
    EXPECT_EQ(recorder.reports()[0].message, "shown");
    EXPECT_EQ(recorder.reports()[0].file, "Some/File");
    EXPECT_EQ(recorder.reports()[0].line, 42);
}

TEST(KcAssert, ThrowingHandlerDoesNotEscape)
{
    auto previous = KcAssert::SetReportHandler(
        [](const std::string&, const char*, int) { throw std::runtime_error("host handler failed"); });
    EXPECT_NO_THROW(EXPECT_FALSE(KcAssert::Assert(false, "boom", "file", 1)));
    KcAssert::SetReportHandler(previous);
}

TEST(KcAssert, SetReportHandlerHandsBackThePreviousOne)
{
    int first = 0;
    auto original = KcAssert::SetReportHandler([&](const std::string&, const char*, int) { ++first; });
    auto mine = KcAssert::SetReportHandler({});
    ASSERT_TRUE(mine);
    mine("x", "y", 0);
    EXPECT_EQ(first, 1);
    // The empty handler restored the default: reports no longer reach ours.
    testing::internal::CaptureStderr();
    KcAssert::Assert(false, "to stderr", "F", 7);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(first, 1);
    EXPECT_NE(printed.find("to stderr"), std::string::npos);
    EXPECT_NE(printed.find("F:7"), std::string::npos);
    KcAssert::SetReportHandler(original);
}

TEST(KStringUtil, EncodesWidePathsAsUtf8)
{
    EXPECT_EQ(KStringUtil::w2a(L"plain/path.brep"), "plain/path.brep");
    EXPECT_EQ(KStringUtil::w2a(L""), "");
    EXPECT_EQ(KStringUtil::w2a(L"\u00fc"), "\xC3\xBC");
    EXPECT_EQ(KStringUtil::w2a(L"\u20ac"), "\xE2\x82\xAC");
    EXPECT_EQ(KStringUtil::w2a(std::wstring(1, static_cast<wchar_t>(0x1F600))), "\xF0\x9F\x98\x80");
}

TEST(KStringUtil, CombinesSurrogatePairsAndReplacesStrayOnes)
{
    const std::wstring pair{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
    EXPECT_EQ(KStringUtil::w2a(pair), "\xF0\x9F\x98\x80");
    const std::wstring stray{L'a', static_cast<wchar_t>(0xDC00), L'b'};
    EXPECT_EQ(KStringUtil::w2a(stray), "a\xEF\xBF\xBD"
                                       "b");
}

TEST(KStringUtil, DecodesUtf8BackToWideAndReplacesMalformedBytes)
{
    const std::string utf8 = "d\xC3\xBC/\xE2\x82\xAC/\xF0\x9F\x98\x80.brep";
    const std::wstring wide = KStringUtil::a2w(utf8);
    EXPECT_EQ(wide, (std::wstring{L'd', 0xFC, L'/', 0x20AC, L'/', static_cast<wchar_t>(0x1F600), L'.', L'b', L'r', L'e',
                                  L'p'}));
    EXPECT_EQ(KStringUtil::w2a(wide), utf8);
    // A stray continuation byte, an overlong '/', a truncated sequence.
    EXPECT_EQ(KStringUtil::a2w("a\x80"
                               "b"),
              (std::wstring{L'a', 0xFFFD, L'b'}));
    EXPECT_EQ(KStringUtil::a2w("\xC0\xAF"), (std::wstring{0xFFFD, 0xFFFD}));
    EXPECT_EQ(KStringUtil::a2w("\xE2\x82"), (std::wstring{0xFFFD, 0xFFFD}));
}
