#include "TopoShape/WireFace.h"

#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <Bnd_Box.hxx>
#include <Precision.hxx>

#include <cmath>
#include <stdexcept>

namespace KorrCore {

namespace {

// The kernel counts magnitudes from half its Precision::Infinite() on as
// infinite and raises for them. A little below that, the far-away probe points
// of its face classifier land inside the face and filling never returns (seen
// for an outline reaching 8e99); a millionth of that infinity leaves a wide
// margin and still dwarfs any model.
bool ReachesNearInfinity(const TopoDS_Wire& wire)
{
    Bnd_Box extent;
    BRepBndLib::Add(wire, extent);
    if (extent.IsVoid())
        return false;
    double xMin, yMin, zMin, xMax, yMax, zMax;
    extent.Get(xMin, yMin, zMin, xMax, yMax, zMax);
    const double limit = 1e-6 * Precision::Infinite();
    for (double bound : {xMin, yMin, zMin, xMax, yMax, zMax})
        if (std::abs(bound) >= limit)
            return true;
    return false;
}

} // namespace

TopoDS_Face FillWire(const TopoDS_Wire& wire)
{
    if (ReachesNearInfinity(wire))
        throw std::range_error("wire too far out for the kernel to fill");
    BRepBuilderAPI_MakeFace face(wire, /*OnlyPlane=*/false);
    return face.IsDone() ? face.Face() : TopoDS_Face();
}

} // namespace KorrCore
