#pragma once

#include <Poly_Triangulation.hxx>
#include <TopLoc_Location.hxx>
#include <TopoDS_Face.hxx>

namespace KorrCore {

// Meshes a non-null face in place (linear deflection in model units, relative
// deflection off, angular deflection 0.5 rad) and returns the triangulation it
// carries afterwards, with the location that places it; null when there is
// none, or when the face's edges are damaged in a way the mesher would grind on
// for minutes. The kernel keeps an existing triangulation that is at least as
// fine.
Handle(Poly_Triangulation) MeshFace(const TopoDS_Face& face, double deflection, TopLoc_Location& location);

} // namespace KorrCore
