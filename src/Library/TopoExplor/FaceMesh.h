#pragma once

#include <vector>

#include <Poly_Triangulation.hxx>
#include <TopLoc_Location.hxx>
#include <TopoDS_Face.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_XYZ.hxx>

#include "Library/TopoExplor/TextureMapping.h"

namespace KorrCore {

// One face's triangulation as display data, in double precision, placed by
// the face's location.
struct FaceMesh {
    // Three 0-based node numbers per triangle.
    std::vector<unsigned int> triangles;
    // One position and one unit normal per node.
    std::vector<gp_XYZ> positions;
    std::vector<gp_XYZ> normals;
    // u, v per node; empty when the triangulation carries no parameters.
    std::vector<float> texCoords;
    // The face's parameter bounds (shaded reading only).
    gp_Pnt2d parameterMin, parameterMax;
};

// The face as it is shaded: triangles wound counter-clockwise around normals
// that point out of the material (following the face's orientation and the
// handedness of its location), the surface's shading normals (see
// ShadingNormals), texture coordinates mapped by `uv`.
//
// Both readings give false, leaving `mesh` in no particular state, when the
// data cannot be shown: triangles naming nodes the triangulation lacks (a
// triangulation put together by hand), nodes outside the face's
// DisplayBounds for `deflection`, or normals or texture coordinates that are
// not finite.
bool ReadShadedFace(const TopoDS_Face& face, const Handle(Poly_Triangulation)& triangulation,
                    const TopLoc_Location& location, double deflection, const UVSettings& uv, FaceMesh& mesh);

// The face in its surface's own orientation: triangles as the triangulation
// stores them, normals D1U x D1V of the surface normalised ((0.5, 0, 0) where
// they vanish), raw surface parameters as texture coordinates.
bool ReadRawFace(const TopoDS_Face& face, const Handle(Poly_Triangulation)& triangulation,
                 const TopLoc_Location& location, double deflection, FaceMesh& mesh);

} // namespace KorrCore
