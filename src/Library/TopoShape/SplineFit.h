#pragma once

#include <Geom_BSplineCurve.hxx>
#include <Standard_Handle.hxx>

#include <KorrGeomCore/Platform/Vector3.h>

namespace KorrCore {

// The B-spline through `count` points (at least two) in their order: not
// periodic, with no tangents or parameters given, so the kernel chooses the
// parametrisation and the end conditions. Raises when the kernel cannot fit
// one, for instance through two equal consecutive points.
Handle(Geom_BSplineCurve) InterpolatingSpline(const KMath::Vector3* points, int count);

} // namespace KorrCore
