#include "Library/TopoShape/WireFace.h"

#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <Bnd_Box.hxx>

#include <cmath>
#include <stdexcept>

#include "Internal/Core/Frame.h"

namespace KorrCore {

namespace {

// Wires do not only come from coordinates the library checked (a scaled or
// read shape can reach anywhere), and far out the probe points of the kernel's
// face classifier land inside the face and filling never returns, so the
// wire's extent is checked against the same limit.
bool ReachesNearInfinity(const TopoDS_Wire& wire)
{
    Bnd_Box extent;
    BRepBndLib::Add(wire, extent);
    if (extent.IsVoid())
        return false;
    double xMin, yMin, zMin, xMax, yMax, zMax;
    extent.Get(xMin, yMin, zMin, xMax, yMax, zMax);
    for (double bound : {xMin, yMin, zMin, xMax, yMax, zMax})
        if (!(std::abs(bound) < kLargestModelMagnitude))
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
