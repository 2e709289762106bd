#pragma once

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/KProgressIndicator.h>
#include <KorrGeomCore/Platform/Vector2.h>
#include <KorrGeomCore/TopoExplor/KShapeMesh.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// Settings of KShapeMesher::Mesh.
struct KORRGEOMCORE_EXPORT KMeshOptions {
    KMeshOptions();

    // Largest distance of the mesh from the surfaces, in model units. 0 derives
    // it from the shape's size as a viewer would: 0.004 times the longest side
    // of its bounding box.
    double Deflection;
    // Largest angle, in radians, between neighbouring segments along a curve.
    double AngularDeflection;
    // true: a given Deflection is a fraction of each edge's size rather than a
    // length. A derived deflection is always a length.
    bool Relative;
    // Meshes the faces on several threads.
    bool Parallel;
    // Texture coordinates as ExplorFaceOptions makes them: false gives the raw
    // surface parameters, true ((parameter - lower bound) * UVScale / range -
    // UVOffset) / UVDivisor over each face's parameter bounds.
    bool NormalizeUV;
    KMath::Vector2 UVOffset;
    KMath::Vector2 UVScale;
    KMath::Vector2 UVDivisor;
    // Told how far the meshing is and asked whether to stop (see
    // KProgressIndicator); null for neither. Not owned.
    KProgressIndicator* Progress;
    // The most triangles the mesh may have, 50 million unless set. The size of
    // the mesh is estimated from the shape's size and curvature and the
    // deflections before the kernel starts, and a mesh estimated larger is
    // refused (outcome TooLarge) instead of running the process out of memory.
    double MaxTriangles;
};

// The whole shape's display data in one call.
class KORRGEOMCORE_EXPORT KShapeMesher {
public:
    // Meshes every face of the shape with one call of the kernel's mesher and
    // fills the mesh: per part, merged nodes, normals, texture coordinates and
    // triangles, each face's range of them, and one polyline per distinct
    // edge, taken from the face meshes so that lines and surfaces meet (an
    // edge on no meshed face is sampled from its curve); per placement of a
    // part, an instance. Like the face tessellation, the mesh stays with the
    // shape, and a shape already meshed at least as finely is not meshed
    // again. Located copies of one part are meshed and held once (see
    // KShapeMesh). The names and colours a loaded file gave the shape reach
    // the instances, parts and faces.
    //
    // Faces whose parts contradict each other (parameter curves running off
    // their surface or away from their edges, surfaces bulging far beyond
    // their edges, as damaged files hold) are left empty rather than meshed,
    // and so is a face or an edge whose data would not be finite or would lie
    // outside its geometry's bounding box widened by the deflection: every
    // buffer filled is finite and lies within the shape's box.
    //
    // False, with an empty mesh, for a null handle or shape, a deflection
    // below 0 and an angular deflection not above 0 or either not finite (each
    // reported), when the kernel fails, when the kernel's mesher runs far
    // longer than real shapes need (ten seconds and a tenth of a second per
    // face) and is stopped, and when the options' progress indicator asks to
    // stop. Also false when the estimate of the work, made before the kernel
    // starts, exceeds MaxTriangles (TooLarge), the memory the process can get
    // (OutOfMemory) or what the mesher could do in its time (TimedOut), and
    // when the kernel's mesher fails on a face it was given, as it does when
    // memory runs out (KernelFailed): never true with faces left bare for
    // want of memory. KLastOutcome() says which. A failed call leaves no
    // triangulation on the shape's faces. Several threads may mesh different shapes at the same time, as
    // long as the shapes share no geometry.
    static bool Mesh(const ShapePtr& shape, const KMeshOptions& options, KShapeMesh& mesh);
};

} // namespace KorrCore
