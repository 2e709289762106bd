#pragma once

#include <vector>

#include <Geom_Surface.hxx>
#include <Poly_Connect.hxx>
#include <Poly_Triangulation.hxx>
#include <TopLoc_Location.hxx>
#include <TopoDS_Edge.hxx>
#include <gp_Dir.hxx>
#include <gp_XYZ.hxx>

// Display conversions written straight against the kernel, the raw side of
// the benchmarks' comparisons.
namespace KorrBench {

void Store(float* out, const gp_XYZ& xyz);

// The shading normal at a node of a face's triangulation, before the face's
// orientation and location apply: the surface normal at the node's
// parameters, or where the surface has none, the mean of the unit normals of
// the triangles around the node.
gp_Dir ShadingNormal(const Handle(Geom_Surface) & surface, const Handle(Poly_Triangulation) & triangulation,
                     Poly_Connect& adjacency, Standard_Integer node);

// Writes node `node` of a face's triangulation as floats: its point and shading
// normal, the normal reversed for a reversed face, both placed by the face's
// location unless it is the identity.
void StoreShadedNode(const Handle(Geom_Surface) & surface, const Handle(Poly_Triangulation) & triangulation,
                     Poly_Connect& adjacency, Standard_Integer node, bool reversed, const TopLoc_Location& location,
                     float* position, float* normal);

// The edge's curve, converted to NURBS form on a copy, sampled by
// quasi-uniform deflection into x, y, z floats; false without a 3D curve.
bool SampleWithKernel(const TopoDS_Edge& edge, double deflection, std::vector<float>& points);

} // namespace KorrBench
