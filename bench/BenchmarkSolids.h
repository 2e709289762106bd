#pragma once

#include <TopoDS_Shape.hxx>

#include <KorrGeomCore/KorrGeomCore.h>

namespace KorrBench {

// A 200 x 200 x 10 plate with a grid of through holes and a grid of spherical
// dimples cut into its top: a few hundred planar, cylindrical and spherical
// faces, the kind of boolean result a host displays. Built once, on first use.
const TopoDS_Shape& HoledPlate();

// The demo scene's machined part: a 40 x 30 x 20 block with a pocket cut by
// a boolean and every edge filleted (radius 1.5): some 40 planar,
// cylindrical, toroidal and spherical faces. Built once, on first use.
const TopoDS_Shape& FilletedPart();

// A copy of the shape with geometry of its own and no triangulation. The
// mesher keeps a triangulation that is fine enough, so measuring meshing needs
// a shape no earlier iteration has meshed.
TopoDS_Shape Unmeshed(const TopoDS_Shape& shape);

// A host's handle holding the kernel shape.
KorrCore::ShapePtr HostHandle(const TopoDS_Shape& shape);

// The deflection of every measurement, in model units.
constexpr double kDeflection = 0.05;

} // namespace KorrBench
