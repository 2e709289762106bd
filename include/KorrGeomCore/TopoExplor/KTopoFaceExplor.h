#pragma once

#include <vector>

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/Vector2.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// Settings of the options form of KTopoFaceExplor::Explor, and the face's
// parameter bounds it writes back. The x components apply to the surface's U
// parameter, y to V.
struct KORRGEOMCORE_EXPORT ExplorFaceOptions {
    ExplorFaceOptions();

    // Linear deflection handed to the mesher, in model units (default 0.1).
    double Deflection;
    // false: texture coordinates are the nodes' raw surface parameters. true:
    // ((parameter - lower bound) * UVScale / range - UVOffset) / UVDivisor,
    // which with the defaults maps the face's parameter range onto 0 ... 1.
    bool NormalizeUV;
    KMath::Vector2 UVOffset;
    KMath::Vector2 UVScale;
    KMath::Vector2 UVDivisor;
    // Written by every successful options-form call: (UMin, VMin) and (UMax,
    // VMax) of the face. Zero until then.
    KMath::Vector2 UVMin;
    KMath::Vector2 UVMax;
};

// Faces of shapes, and their triangle meshes. Kernel exceptions raised inside
// these functions reach the caller.
class KORRGEOMCORE_EXPORT KTopoFaceExplor {
public:
    // Appends one entry per face occurrence, in traversal order; a face appends
    // its own handle. False, with the list unchanged, for a null handle or shape
    // (reported) and for wires, edges and vertices.
    static bool Explor(const ShapePtr& shape, ShapeList& faces);

    // Meshes the face in place (the triangulation stays with the kernel shape,
    // seen through every handle to it) and fills the buffers with exactly one
    // face: 3 position and 3 normal floats per node in the global frame, 3
    // indices per triangle (0-based into this call's nodes, winding following
    // the face's orientation), 2 texture-coordinate floats per node (none when
    // the triangulation carries no surface parameters). Normals are the
    // surface's shading normals, reversed for a reversed face and placed by the
    // face's location like the positions. A null handle or shape is reported
    // ("This is not Face") and gives false; another kind of shape raises
    // Standard_TypeMismatch ("TopoDS::Face"). A NaN deflection gives false (the
    // mesher would never return), and so does a face that cannot be shown,
    // with every buffer left as it was: one whose parts contradict each other
    // as damaged files have them (see KShapeMesher), whose meshing had to be
    // stopped, or whose data would not be finite or would lie outside the
    // face's bounding box widened by the deflection.
    static bool Explor(const ShapePtr& face, std::vector<float>& positions, std::vector<unsigned int>& indices,
                       std::vector<float>& normals, std::vector<float>& texCoords, ExplorFaceOptions& options);

    // The same mesh with the surface's raw orientation: no winding flip, normals
    // D1U x D1V normalised from the surface derivatives ((0.5, 0, 0) where they
    // vanish), raw surface parameters as texture coordinates. A null `indices`
    // gives a triangle soup (3 corners of 3 floats per triangle in positions and
    // normals) and leaves texCoords untouched. positions and normals must not
    // be null, nor texCoords when indices is not; otherwise false. A face that
    // cannot be shown gives false as in the options form.
    static bool Explor(const ShapePtr& face, std::vector<float>* positions, std::vector<unsigned int>* indices,
                       std::vector<float>* normals, std::vector<float>* texCoords, double deflection);
};

} // namespace KorrCore
