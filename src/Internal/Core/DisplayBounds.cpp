#include "Internal/Core/DisplayBounds.h"

#include <BRepBndLib.hxx>
#include <Bnd_Box.hxx>

#include <algorithm>
#include <cmath>

namespace KorrCore {

namespace {

// Share of the box's longest side by which the kernel's box may fall short.
constexpr double kApproximation = 1e-3;

} // namespace

Bnd_Box GeometryBox(const TopoDS_Shape& shape)
{
    Bnd_Box box;
    BRepBndLib::Add(shape, box, Standard_False);
    if (box.IsVoid())
        BRepBndLib::Add(shape, box, Standard_True);
    return box;
}

DisplayBounds::DisplayBounds(const TopoDS_Shape& shape, double deflection)
    : DisplayBounds(GeometryBox(shape), deflection)
{
}

DisplayBounds::DisplayBounds(Bnd_Box box, double deflection) : lowest(0.0, 0.0, 0.0), highest(-1.0, -1.0, -1.0)
{
    // Edges along whole lines reach infinity, and nothing of them is shown.
    if (box.IsOpen() && box.HasFinitePart())
        box = box.FinitePart();
    if (box.IsVoid() || box.IsOpen())
        return;
    // The kernel's box, tolerances included, is exact for few surfaces and
    // falls short by a little for some (surfaces of revolution, for one); a
    // relative deflection arrives here already turned into a length.
    const gp_XYZ size = box.CornerMax().XYZ() - box.CornerMin().XYZ();
    const double reach = deflection + kApproximation * std::max({size.X(), size.Y(), size.Z()});
    const gp_XYZ margin(reach, reach, reach);
    lowest = box.CornerMin().XYZ() - margin;
    highest = box.CornerMax().XYZ() + margin;
}

bool DisplayBounds::Holds(const gp_XYZ& point) const
{
    // Comparisons with NaN are false, so a NaN coordinate is never inside.
    return lowest.X() <= point.X() && point.X() <= highest.X() && lowest.Y() <= point.Y() &&
           point.Y() <= highest.Y() && lowest.Z() <= point.Z() && point.Z() <= highest.Z();
}

bool IsFinite(const gp_XYZ& xyz)
{
    return std::isfinite(xyz.X()) && std::isfinite(xyz.Y()) && std::isfinite(xyz.Z());
}

} // namespace KorrCore
