#include "Library/TopoShape/SplineFit.h"

#include <GeomAPI_Interpolate.hxx>
#include <TColgp_HArray1OfPnt.hxx>

#include "Internal/Core/Frame.h"

namespace KorrCore {

Handle(Geom_BSplineCurve) InterpolatingSpline(const KMath::Vector3* points, int count)
{
    Handle(TColgp_HArray1OfPnt) kernelPoints = new TColgp_HArray1OfPnt(1, count);
    for (int i = 1; i <= count; ++i)
        kernelPoints->SetValue(i, ToPnt(points[i - 1], "each point"));
    GeomAPI_Interpolate fit(kernelPoints, false, 0.0);
    fit.Perform();
    return fit.Curve(); // raises when the fit is not done
}

} // namespace KorrCore
