#pragma once

#include <TopoDS_Edge.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Shape.hxx>

// How much the kernel's mesher and curve sampler will make of a shape, told
// before they start. They offer no way to bound their memory, and the mesher
// does not look at the watch while it grids a face, so work far past what a
// display needs is refused up front rather than found out by running out of
// memory or time.
namespace KorrCore {

// The nodes the curve sampler or the mesher puts on the edge: the angle its
// tangent turns through, divided by the step the deflection and the angle
// allow at the curve's mean radius of curvature. A periodic curve is measured
// over one period and counted once per period its range covers.
double EstimatedEdgeNodes(const TopoDS_Edge& edge, double deflection, double angle);

// The nodes inside the face: its area, measured over a grid of its parameters,
// divided by the area a node stands for at the local curvature (the kernel
// grids curved surfaces about evenly in both directions); none on a plane. Its
// edges' nodes are counted by EstimatedNodes.
double EstimatedFaceNodes(const TopoDS_Face& face, double deflection, double angle);

// The nodes of the whole shape: every distinct face and edge once.
double EstimatedNodes(const TopoDS_Shape& shape, double deflection, double angle);

// The kernel's mesher keeps its model of every face it was given (some 35 kB
// a face) until it returns; given a large shape's faces this many at a time,
// it holds one batch's model at once.
constexpr int kFacesPerMeshingBatch = 2000;

// The bytes the mesher holds at its peak for that many nodes on that many
// faces met in batches, measured on this kernel: its model of each face costs
// more than the nodes of a small one.
double EstimatedMeshingBytes(double nodes, int faces);

// The bytes this process can still get: the room left under its address-space
// limit and the memory the machine has available, whichever is less.
double AvailableBytes();

} // namespace KorrCore
