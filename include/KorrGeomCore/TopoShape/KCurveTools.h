#pragma once

#include <vector>

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/Vector3.h>

namespace KorrCore {

// Curve computations that give plain coordinates rather than shapes.
class KORRGEOMCORE_EXPORT KCurveTools {
public:
    // Fits the spline KBrepTools::MakeSpline makes through `points` and replaces
    // `segmentEnds` with the segmentCount + 1 end points of segmentCount straight
    // segments along it, the first and last exactly at the spline's ends. The
    // samples are evenly spaced in the spline's parameter, not in length. False,
    // with `segmentEnds` untouched, for fewer than 3 points, fewer than 2
    // segments, or points the spline cannot be fitted through.
    static bool SplineToSegments(const std::vector<KMath::Vector3>& points, int segmentCount,
                                 std::vector<KMath::Vector3>& segmentEnds);
};

} // namespace KorrCore
