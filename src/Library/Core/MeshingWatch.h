#pragma once

#include <Message_ProgressIndicator.hxx>
#include <Message_ProgressRange.hxx>

#include <TopoDS_Shape.hxx>

#include <atomic>
#include <chrono>
#include <functional>

#include "Internal/Core/HostProgress.h"

namespace KorrCore {

// Answers the kernel mesher's questions about stopping: it asks between its
// stages, before each face and before inserting each node into a face's
// triangulation, and stops the work it is doing when told to. A face on
// which the mesher has gone astray (damaged geometry it could not see)
// inserts nodes without end; the watch tells it to stop once the time the
// shape may take is spent, or as soon as the host cancels. The mesher's
// progress goes on to the host. Faces it did not finish carry no
// triangulation.
class MeshingWatch : public Message_ProgressIndicator {
public:
    MeshingWatch(std::chrono::steady_clock::duration allowed, HostProgress& host);

    Standard_Boolean UserBreak() override;
    // Called by the kernel with its own lock held, UserBreak without.
    void Show(const Message_ProgressScope&, const Standard_Boolean) override;

    // True once the mesher was told to stop.
    bool Stopped() const { return stopped.load(std::memory_order_relaxed); }

private:
    const std::chrono::steady_clock::time_point deadline;
    HostProgress& host;
    // Set from any of the mesher's threads; once true it stays so.
    std::atomic<bool> stopped{false};
    // The kernel's position as of its last report, for the threads that ask
    // about stopping without its lock.
    std::atomic<double> position{0.0};
};

// Runs `mesh` (a call of the kernel's mesher on `shape`, given the progress
// range to report to) under a watch that allows it far more time than real
// faces of that number need, even at fine deflections on a slow machine, and
// that passes the mesher's progress on to the host. False when the watch had
// to stop it: the faces it did not finish would hold part of a
// triangulation, so every triangulation is taken off the shape.
bool MeshWatched(const TopoDS_Shape& shape, int faces, HostProgress& host,
                 const std::function<void(const Message_ProgressRange&)>& mesh);

int CountFaces(const TopoDS_Shape& shape);

// The time MeshWatched allows a shape of that many faces.
std::chrono::steady_clock::duration MeshingAllowance(int faces);

} // namespace KorrCore
