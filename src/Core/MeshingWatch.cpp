#include "Core/MeshingWatch.h"

#include <BRepTools.hxx>
#include <TopExp_Explorer.hxx>

namespace KorrCore {

namespace {

constexpr std::chrono::seconds kLeastAllowance{10};
constexpr std::chrono::milliseconds kAllowancePerFace{100};

} // namespace

MeshingWatch::MeshingWatch(std::chrono::steady_clock::duration allowed)
    : deadline(std::chrono::steady_clock::now() + allowed)
{
}

Standard_Boolean MeshingWatch::UserBreak()
{
    if (!Stopped() && std::chrono::steady_clock::now() > deadline)
        stopped.store(true, std::memory_order_relaxed);
    return Stopped();
}

bool MeshWatched(const TopoDS_Shape& shape, int faces, const std::function<void(const Message_ProgressRange&)>& mesh)
{
    const Handle(MeshingWatch) watch = new MeshingWatch(kLeastAllowance + faces * kAllowancePerFace);
    mesh(watch->Start());
    if (!watch->Stopped())
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
