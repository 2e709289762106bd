#include "Library/Core/MeshingWatch.h"

#include <BRepTools.hxx>
#include <TopExp_Explorer.hxx>

#include <string>

#include "Internal/Platform/Outcome.h"

namespace KorrCore {

namespace {

constexpr std::chrono::seconds kLeastAllowance{10};
constexpr std::chrono::milliseconds kAllowancePerFace{100};

} // namespace

MeshingWatch::MeshingWatch(std::chrono::steady_clock::duration allowed, HostProgress& host)
    : deadline(std::chrono::steady_clock::now() + allowed), host(host)
{
}

Standard_Boolean MeshingWatch::UserBreak()
{
    if (!Stopped() &&
        (std::chrono::steady_clock::now() > deadline || host.Poll(position.load(std::memory_order_relaxed))))
        stopped.store(true, std::memory_order_relaxed);
    return Stopped();
}

void MeshingWatch::Show(const Message_ProgressScope&, const Standard_Boolean)
{
    position.store(GetPosition(), std::memory_order_relaxed);
    if (host.Poll(GetPosition()))
        stopped.store(true, std::memory_order_relaxed);
}

bool MeshWatched(const TopoDS_Shape& shape, int faces, HostProgress& host,
                 const std::function<void(const Message_ProgressRange&)>& mesh)
{
    const Handle(MeshingWatch) watch = new MeshingWatch(MeshingAllowance(faces), host);
    try {
        mesh(watch->Start());
    } catch (...) {
        // Faces meshed before the failure keep what they got; a failed call
        // leaves none.
        BRepTools::Clean(shape);
        throw;
    }
    // A cancellation seen in the mesher's last report stops nothing more.
    if (!watch->Stopped() && !host.Cancelled())
        return true;
    BRepTools::Clean(shape);
    if (host.Cancelled())
        return Fails(KOutcomeCode::Cancelled, "the progress indicator asked meshing to stop");
    return Fails(KOutcomeCode::TimedOut,
                 "the mesher ran past the " +
                     std::to_string(std::chrono::duration_cast<std::chrono::seconds>(MeshingAllowance(faces)).count()) +
                     " s it is allowed for " + std::to_string(faces) + " faces and was stopped");
}

int CountFaces(const TopoDS_Shape& shape)
{
    int faces = 0;
    for (TopExp_Explorer explorer(shape, TopAbs_FACE); explorer.More(); explorer.Next())
        ++faces;
    return faces;
}

std::chrono::steady_clock::duration MeshingAllowance(int faces)
{
    return kLeastAllowance + faces * kAllowancePerFace;
}

} // namespace KorrCore
