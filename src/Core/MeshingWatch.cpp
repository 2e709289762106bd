#include "Core/MeshingWatch.h"

#include <BRepTools.hxx>
#include <TopExp_Explorer.hxx>

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
    const Handle(MeshingWatch) watch = new MeshingWatch(kLeastAllowance + faces * kAllowancePerFace, host);
    mesh(watch->Start());
    // A cancellation seen in the mesher's last report stops nothing more.
    if (!watch->Stopped() && !host.Cancelled())
        return true;
    BRepTools::Clean(shape);
    return false;
}

int CountFaces(const TopoDS_Shape& shape)
{
    int faces = 0;
    for (TopExp_Explorer explorer(shape, TopAbs_FACE); explorer.More(); explorer.Next())
        ++faces;
    return faces;
}

} // namespace KorrCore
