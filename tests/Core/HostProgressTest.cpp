// What a host's progress indicator hears while work is under way: fractions
// that only grow, never 1 before the work is done, and no call sooner than
// the interval after the last one ended, however long the host took.

#include "support/Checks.h"

#include <chrono>
#include <thread>

#include "Internal/Core/HostProgress.h"

using namespace KorrCore;
using namespace std::chrono_literals;

namespace {

struct SlowHost : KorrTest::RecordingHost {
    void OnProgress(double fraction) override
    {
        RecordingHost::OnProgress(fraction);
        std::this_thread::sleep_for(200ms);
    }
};

} // namespace

TEST(HostProgress, TellsGrowingFractionsBelowOneUntilTheWorkIsDone)
{
    SlowHost host;
    HostProgress progress(&host);
    EXPECT_FALSE(progress.Poll(0.1));
    EXPECT_FALSE(progress.Poll(0.2)) << "right after a slow call: not told";
    std::this_thread::sleep_for(60ms);
    EXPECT_FALSE(progress.Poll(1.5));
    std::this_thread::sleep_for(60ms);
    EXPECT_FALSE(progress.Poll(0.5)) << "less than told before: not told";
    progress.Finish();
    EXPECT_EQ(host.fractions, (std::vector<double>{0.1, 0.99, 1.0}));
}
