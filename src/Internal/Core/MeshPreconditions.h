#pragma once

#include <TopoDS_Edge.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Shape.hxx>

// What the kernel's mesher and curve sampler need to finish: on inputs that
// break these they crash or grind on for minutes instead of failing.
namespace KorrCore {

// Whether the mesher and the curve sampler can meet the deflection on the
// shape. They never return for NaN, nor for a deflection finer than doubles can
// resolve at the shape's coordinates (far from the origin they keep splitting
// while rounding noise exceeds the deflection), nor on shapes reaching beyond
// the library's model magnitude (scaling or a file can take them there). Zero
// and negative deflections are left to the kernel, which refuses them.
bool MeetableDeflection(double deflection, const TopoDS_Shape& shape);

// False when the face's parts contradict each other in ways a damaged file
// holds and on which the mesher crashes, or works for minutes or without end:
// an edge missing the vertex at one of its ends; an edge
// that claims the same parameter range on the face as in space (the kernel's
// SameRange flag) but stores another one; an edge on a curve that repeats
// whose range winds it round more than twice; an edge whose curve on the face,
// carried onto the surface, strays from its curve in space by far more than
// its tolerance; a surface patch reaching a thousand times further than the
// face's edges.
bool FaceAgreesWithItsEdges(const TopoDS_Face& face);

// False when the edge's range winds it round a repeating curve more than
// twice, or its curve in space strays from one of its curves on surfaces by
// far more than its tolerance, as a damaged curve record makes it;
// compared more closely than the faces' edges are, since the edge's own curve
// is what is shown of it, and by no more than half its size on the surface
// whatever its tolerance: the kernel's repairs widen tolerances to cover such
// a curve, and an edge smaller than its tolerance shows nothing anyway.
bool EdgeAgreesWithItsCurves(const TopoDS_Edge& edge);

// Whether the mesher's grid on the face stays within reason at the deflection
// and angle. On a cone it spaces the grid's rows by its angular step and its
// columns by that step times the cone's largest radius, without the cap it
// gives cylinders: a needle of a cone (a radius far below its length, as a
// builder makes from a base radius near zero) asks for hundreds of millions
// of nodes, and the mesher allocates them until the process dies.
bool GridWithinReason(const TopoDS_Face& face, double deflection, double angle);
// The shape itself when every face agrees with its edges and keeps its grid
// within reason, otherwise a compound of the faces that do; meshing either
// attaches triangulations to the same faces.
TopoDS_Shape MeshableFaces(const TopoDS_Shape& shape, double deflection, double angle);

} // namespace KorrCore
