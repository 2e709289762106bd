#include <KorrGeomCore/TopoShape/KCurveTools.h>

#include <cstddef>
#include <string>

#include "Internal/Core/Frame.h"
#include "Library/TopoShape/SplineFit.h"

namespace KorrCore {

bool KCurveTools::SplineToSegments(const std::vector<KMath::Vector3>& points, int segmentCount,
                                   std::vector<KMath::Vector3>& segmentEnds)
{
    return Framed([&] {
        if (points.size() < 3)
            return Fails(KOutcomeCode::InvalidArgument,
                         "points must hold at least 3 points, got " + std::to_string(points.size()));
        if (segmentCount < 2)
            return Fails(KOutcomeCode::InvalidArgument,
                         "segmentCount must be at least 2, got " + std::to_string(segmentCount));
        const Handle(Geom_BSplineCurve) spline = InterpolatingSpline(points.data(), static_cast<int>(points.size()));
        const double first = spline->FirstParameter();
        const double last = spline->LastParameter();
        const double step = (last - first) / segmentCount;
        // Filled aside, so that a failure part way leaves the caller's points as
        // they were.
        std::vector<KMath::Vector3> ends(static_cast<std::size_t>(segmentCount) + 1);
        for (int i = 0; i < segmentCount; ++i)
            ends[i] = ToVector3(spline->Value(first + i * step).XYZ());
        // Taken at the last parameter itself, which first + n * step may miss by
        // rounding.
        ends[segmentCount] = ToVector3(spline->Value(last).XYZ());
        segmentEnds.swap(ends);
        return true;
    });
}

} // namespace KorrCore
