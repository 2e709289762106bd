#pragma once

#include <GCPnts_QuasiUniformDeflection.hxx>
#include <Geom_Curve.hxx>
#include <TopoDS_Edge.hxx>
#include <gp_Pnt.hxx>

#include "Library/TopoExplor/Placement.h"

namespace KorrCore {

// One edge's curve sampled for display: the edge is converted to NURBS form
// on a copy (the caller's edge stays as it is), and its 3D curve sampled by
// quasi-uniform deflection from its first to its last parameter, whatever the
// edge's orientation.
class EdgeCurveSampler {
public:
    // False when the edge has no 3D curve, runs along a whole line, has an
    // empty range, or the sampling fails.
    bool Sample(const TopoDS_Edge& edge, double deflection);

    Standard_Integer Count() const { return sampler.NbPoints(); }
    // Point 1 ... Count(), placed by the edge's location.
    gp_Pnt Point(Standard_Integer i) const { return place(curve->Value(sampler.Parameter(i))); }

private:
    Handle(Geom_Curve) curve;
    GCPnts_QuasiUniformDeflection sampler;
    Placement place{TopLoc_Location()};
};

} // namespace KorrCore
