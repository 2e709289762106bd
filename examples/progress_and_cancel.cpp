// A host's long work with a progress bar and a cancel button: a STEP or IGES
// file loaded and meshed with a bar on standard error, then loaded again with
// the cancel button pressed at once.
//
//   progress_and_cancel FILE.step
#include <KorrGeomCore/KorrGeomCore.h>
#include <KorrGeomCore/Service/KFileServices.h>

#include <cstdio>

using namespace KorrCore;

namespace {

// The library calls it from one thread at a time, at most every 50 ms; both
// calls must return at once and must not call into the library.
class ProgressBar : public KProgressIndicator {
public:
    // Pressing the cancel button is simulated: the bar asks to stop once the
    // work is `cancelAt` done (never, unless below 1).
    explicit ProgressBar(const char* label, double cancelAt = 2.0) : label(label), cancelAt(cancelAt) {}
    ~ProgressBar() override { std::fputc('\n', stderr); }

    void OnProgress(double fraction) override
    {
        done = fraction;
        const int filled = static_cast<int>(fraction * 30);
        std::fprintf(stderr, "\r%-12s [%.*s%*s] %3d%%", label, filled, "##############################", 30 - filled,
                     "", static_cast<int>(fraction * 100));
    }
    bool IsCancelled() override { return done >= cancelAt; }

private:
    const char* label;
    double cancelAt;
    double done = 0.0;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.step\n", argv[0]);
        return 2;
    }
    const std::wstring path = KStringUtil::a2w(argv[1]);
    KFileServices::RegisterAll();
    const std::shared_ptr<KBrepFileService> service = KFileServices::ForFile(path);
    if (!service)
        return std::fprintf(stderr, "no file service reads %s\n", argv[1]), 1;

    ShapePtr shape;
    KShapeMesh mesh;
    {
        ProgressBar loading("loading");
        service->SetProgressIndicator(&loading);
        shape = service->LoadFile(path);
        service->SetProgressIndicator(nullptr); // the bar goes out of scope here
    }
    {
        ProgressBar meshing("meshing");
        KMeshOptions options;
        options.Progress = &meshing;
        if (shape && !KShapeMesher::Mesh(shape, options, mesh))
            shape = nullptr;
    }
    if (!shape)
        return std::fprintf(stderr, "failed: %s\n", KLastOutcome().Message.c_str()), 1;
    std::printf("loaded and meshed: %zu parts, %zu placements\n", mesh.Parts.size(), mesh.Instances.size());

    // LoadFile would answer from the service's cache; read the file again.
    {
        ProgressBar impatient("cancelled", 0.0);
        service->SetProgressIndicator(&impatient);
        const ShapePtr again = service->LoadFileUncached(path);
        service->SetProgressIndicator(nullptr);
        if (again || KLastOutcome().Code != KOutcomeCode::Cancelled)
            return std::fprintf(stderr, "the cancel was not heeded\n"), 1;
    }
    std::printf("the second load stopped at once: %s (%s)\n", KOutcomeName(KLastOutcome().Code),
                KLastOutcome().Message.c_str());
    // A cancelled load leaves no trace in the cache: the first load's shape is still there.
    return service->LoadFile(path) == shape ? 0 : 1;
}
