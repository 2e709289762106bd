#include "support/Checks.h"

using KorrCore::KcAssert;

TEST(KcAssert, ReportsOnlyFailuresToTheHandlerInPlaceWhichIsHandedBackAndMayThrow)
{
    std::string reported;
    const auto original = KcAssert::SetReportHandler([&](const std::string& message, const char* file, int line) {
        reported += message + "@" + file + ":" + std::to_string(line);
    });
    EXPECT_TRUE(KcAssert::Assert(true, "never shown", "here", 1) && !KcAssert::Assert(false, "shown", "Some/File", 42));
    const auto recording = KcAssert::SetReportHandler([](auto&&...) { throw 0; });
    EXPECT_NO_THROW(EXPECT_FALSE(KcAssert::Assert(false, "boom", "file", 1)));
    recording("again", "F", 7);
    EXPECT_EQ(reported, "shown@Some/File:42again@F:7");
    // An empty handler restores the default, which prints.
    KcAssert::SetReportHandler({});
    testing::internal::CaptureStderr();
    KcAssert::Assert(false, "to stderr", "F", 7);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("to stderr (F:7)"), std::string::npos);
    KcAssert::SetReportHandler(original);
}
