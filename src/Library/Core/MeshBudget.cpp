#include "Library/Core/MeshBudget.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "Internal/Core/MeshEstimate.h"
#include "Internal/Platform/Outcome.h"
#include "Library/Core/MeshingWatch.h"

namespace KorrCore {

namespace {

// Far more nodes a second than the kernel's mesher inserts on any machine
// here (4,000 to 30,000 on finely meshed spheres): a shape refused for time
// would surely have been stopped by the watch, and the grid it lays out
// before it first looks at the watch is never started.
constexpr double kFastestNodesPerSecond = 2e5;

// Work this small is never refused for memory, so that the face explorers,
// called once a face, do not read the process's memory figures each time.
constexpr double kAlwaysAffordableBytes = 32e6;

std::string Rounded(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2g", value);
    return text;
}

std::string Settings(double deflection, double angle)
{
    return "at deflection " + Rounded(deflection) + " and angle " + Rounded(angle);
}

} // namespace

bool WithinMeshingBudget(const TopoDS_Shape& shape, double deflection, double angle, double maxTriangles)
{
    const double nodes = EstimatedNodes(shape, deflection, angle);
    // Each node beyond the boundary adds about two triangles.
    const double triangles = 2.0 * nodes;
    if (!(triangles <= maxTriangles))
        return Fails(KOutcomeCode::TooLarge, "meshing the shape " + Settings(deflection, angle) + " would make about " +
                                                 Rounded(triangles) + " triangles, more than the limit of " +
                                                 Rounded(maxTriangles));
    const int faces = CountFaces(shape);
    const double seconds = std::chrono::duration<double>(MeshingAllowance(faces)).count();
    if (!(nodes <= seconds * kFastestNodesPerSecond))
        return Fails(KOutcomeCode::TimedOut, "meshing the shape " + Settings(deflection, angle) + " would make about " +
                                                 Rounded(nodes) + " nodes, more than the mesher can make in the " +
                                                 Rounded(seconds) + " s it is allowed; refused before it started");
    const double bytes = EstimatedMeshingBytes(nodes, faces);
    if (bytes <= kAlwaysAffordableBytes)
        return true;
    const double available = AvailableBytes();
    if (!(bytes <= available))
        return Fails(KOutcomeCode::OutOfMemory, "meshing the shape " + Settings(deflection, angle) + " would need about " +
                                                    Rounded(bytes / 1e6) + " MB, and the process can get " +
                                                    Rounded(available / 1e6) + " MB");
    return true;
}

} // namespace KorrCore
