#include <KorrGeomCore/KorrGeomCore.h>

#include <BRep_Tool.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "support/Checks.h"

// KShapeMesher telling a host's progress indicator how far it is, and
// stopping when asked.

using namespace KorrCore;

namespace {

// Records the calls, noting any two that overlap; asks to stop at its
// `stopAt`-th question, or throws from its first report.
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

private:
    template <class Record> void Call(Record record)
    {
        overlapped = overlapped || inside.fetch_add(1) != 0;
        afterStop += stopAt > 0 && asked >= stopAt;
        record();
        // Long enough for another thread to arrive meanwhile, if it may.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
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

KMeshOptions Fine(KProgressIndicator* progress)
{
    KMeshOptions options;
    options.Deflection = 0.01;
    options.Progress = progress;
    return options;
}

bool AnyFaceMeshed(const ShapePtr& shape)
{
    for (TopExp_Explorer face(KorrTest::Kernel(shape), TopAbs_FACE); face.More(); face.Next()) {
        TopLoc_Location location;
        if (!BRep_Tool::Triangulation(TopoDS::Face(face.Current()), location).IsNull())
            return true;
    }
    return false;
}

} // namespace

TEST(ShapeMesherProgress, GrowsFromZeroToOneOneCallAtATime)
{
    Recording host;
    KShapeMesh mesh;
    ASSERT_TRUE(KShapeMesher::Mesh(ManySpheres(), Fine(&host), mesh));
    ASSERT_GE(host.fractions.size(), 3u);
    EXPECT_EQ(host.fractions.front(), 0.0);
    EXPECT_EQ(host.fractions.back(), 1.0);
    for (std::size_t i = 1; i < host.fractions.size(); ++i)
        EXPECT_GT(host.fractions[i], host.fractions[i - 1]);
    EXPECT_GT(host.asked, 1);
    EXPECT_FALSE(host.overlapped);
}

TEST(ShapeMesherProgress, StopsPromptlyWhenCancelledOrWhenTheHostThrowsLeavingNoMesh)
{
    const auto start = std::chrono::steady_clock::now();
    KShapeMesh whole;
    ASSERT_TRUE(KShapeMesher::Mesh(ManySpheres(), Fine(nullptr), whole));
    const auto full = std::chrono::steady_clock::now() - start;

    Recording atOnce(1), whileMeshing(3), throwing(0, true);
    for (Recording* host : {&atOnce, &whileMeshing, &throwing}) {
        const ShapePtr spheres = ManySpheres();
        KShapeMesh mesh;
        const auto begun = std::chrono::steady_clock::now();
        EXPECT_FALSE(KShapeMesher::Mesh(spheres, Fine(host), mesh));
        EXPECT_LT(std::chrono::steady_clock::now() - begun, full / 2);
        EXPECT_TRUE(mesh.Parts.empty());
        EXPECT_FALSE(AnyFaceMeshed(spheres));
        EXPECT_EQ(host->afterStop, 0);
        EXPECT_TRUE(host->fractions.empty() || host->fractions.back() < 1.0);
    }
    EXPECT_EQ(whileMeshing.asked, 3);
}
