#include "support/Checks.h"

using KorrCore::KcAssert;

// The recorder of reports every other test uses covers the handler's
// exchange; here: what only failures do, a handler that throws, and the
// default that prints.
TEST(KcAssert, ReportsOnlyFailuresANeverThrowingCallAndByDefaultPrints)
{
    const auto original = KcAssert::SetReportHandler([](auto&&...) { throw 0; });
    EXPECT_NO_THROW(EXPECT_FALSE(KcAssert::Assert(false, "boom", "F", 1)));
    KcAssert::SetReportHandler({});
    testing::internal::CaptureStderr();
    EXPECT_TRUE(KcAssert::Assert(true, "never shown", "F", 1));
    KcAssert::Assert(false, "to stderr", "F", 7);
    KcAssert::Assert(false, "", nullptr, 8);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "KorrGeomCore: to stderr (F:7)\nKorrGeomCore: check failed (?:8)\n");
    KcAssert::SetReportHandler(original);
}
