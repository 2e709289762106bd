#pragma once

#include <TopoDS_Shape.hxx>

#include "Internal/Core/HostProgress.h"

namespace KorrCore {

// The mesher's settings for one whole-shape call.
struct MeshSettings {
    double deflection;
    double angle;
    bool relative;
    bool parallel;
    // The most triangles the mesh may have (see MeshBudget.h).
    double maxTriangles;
};

// The linear deflection a viewer derives from the shape's size: 0.004 times
// the longest side of its bounding box (of its geometry, not of an existing
// triangulation, so that meshing does not change it). A shape without finite
// geometry has nothing to mesh and gets the viewer's fallback of 1e-4.
double DeflectionFromSize(const TopoDS_Shape& shape);

// Meshes every face of the shape in one call of the kernel's mesher. Nothing
// is done when every face already carries a triangulation at least as fine,
// with its edges' polygons on it; the mesher would find that too, but only
// after building its whole model of the shape. Faces the mesher would grind on
// (see MeshableFaces) are left without a triangulation. The mesher's progress
// goes to the host. False, with no triangulation left on the shape and the
// reason in the calling thread's outcome, when the work would exceed its
// budget (see WithinMeshingBudget), when the mesher had to be stopped or the
// host cancelled (see MeshWatched), and when the mesher failed on a face it
// was given, as it does when memory runs out.
bool MeshWholeShape(const TopoDS_Shape& shape, const MeshSettings& settings, HostProgress& host);

// The deflection of a face's mesh or an edge's polyline as a length: with a
// relative deflection, the fraction of the face's or edge's size that the
// mesher takes.
double LinearDeflection(const TopoDS_Shape& shape, const MeshSettings& settings);

} // namespace KorrCore
