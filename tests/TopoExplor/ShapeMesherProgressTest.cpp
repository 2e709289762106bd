#include <atomic>
#include <chrono>
#include <thread>

#include "support/Checks.h"

// KShapeMesher telling a host's progress indicator how far it is, and
// stopping when asked.

using namespace KorrCore;
using Clock = std::chrono::steady_clock;

namespace {

// Records the calls, noting any two that overlap, any made after it asked to
// stop and when the last one came; asks to stop at its `stopAt`-th question,
// or throws from its first report.
class Recording : public KProgressIndicator {
public:
    explicit Recording(int stopAt = 0, bool throws = false) : stopAt(stopAt), throws(throws) {}

    void OnProgress(double fraction) override
    {
        Call([&] { fractions.push_back(fraction); });
        if (throws)
            throw std::runtime_error("host callback failed");
    }
    bool IsCancelled() override
    {
        Call([&] { ++asked; });
        return stopAt > 0 && asked >= stopAt;
    }

    std::vector<double> fractions;
    int asked = 0, afterStop = 0;
    bool overlapped = false;
    Clock::time_point last;

private:
    template <class Record> void Call(Record record)
    {
        overlapped = overlapped || inside.fetch_add(1) != 0;
        afterStop += (stopAt > 0 && asked >= stopAt) || (throws && !fractions.empty());
        record();
        // Long enough for another thread to arrive meanwhile, if it may.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        last = Clock::now();
        inside.fetch_sub(1);
    }
    int stopAt;
    bool throws;
    std::atomic<int> inside{0};
};

// Spheres that each take the mesher a while at a fine deflection, meshed on
// several threads.
ShapePtr ManySpheres()
{
    ShapeList spheres;
    for (int i = 0; i < 8; ++i)
        spheres.push_back(KBrepTools::MakeSphere(KMath::Vector3(30.0 * i, 0, 0), 10));
    return KBrepTools::MakeCompound(spheres);
}

bool Meshed(const ShapePtr& shape, Recording& host, KShapeMesh& mesh)
{
    KMeshOptions options;
    options.Deflection = 0.01;
    options.Progress = &host;
    return KShapeMesher::Mesh(shape, options, mesh);
}

} // namespace

TEST(ShapeMesherProgress, GrowsFromZeroToOneOneCallAtATimeAndStopsPromptlyLeavingNoMesh)
{
    Recording listening;
    KShapeMesh whole;
    const Clock::time_point start = Clock::now();
    ASSERT_TRUE(Meshed(ManySpheres(), listening, whole));
    const Clock::duration full = Clock::now() - start;
    ASSERT_GE(listening.fractions.size(), 3u);
    EXPECT_EQ(listening.fractions.front(), 0.0);
    EXPECT_EQ(listening.fractions.back(), 1.0);
    for (std::size_t i = 1; i < listening.fractions.size(); ++i)
        EXPECT_GT(listening.fractions[i], listening.fractions[i - 1]);
    EXPECT_GT(listening.asked, 1);
    EXPECT_FALSE(listening.overlapped);

    Recording atOnce(1), whileMeshing(3), throwing(0, true);
    for (Recording* host : {&atOnce, &whileMeshing, &throwing}) {
        const ShapePtr spheres = ManySpheres();
        KShapeMesh mesh;
        EXPECT_FALSE(Meshed(spheres, *host, mesh));
        EXPECT_EQ(KLastOutcome().Code, KOutcomeCode::Cancelled);
        // From the stop the host asked for, the mesher stops meshing, and
        // calls the host no more.
        EXPECT_LT(Clock::now() - host->last, full / 2);
        EXPECT_EQ(host->afterStop, 0);
        EXPECT_TRUE(mesh.Parts.empty());
        EXPECT_EQ(KorrTest::Triangulated(KorrTest::Kernel(spheres)).triangulated, 0);
        EXPECT_TRUE(host->fractions.empty() || host->fractions.back() < 1.0);
    }
    EXPECT_EQ(whileMeshing.asked, 3);
}
