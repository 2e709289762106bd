#pragma once

#include <gp_Dir.hxx>
#include <gp_Pnt.hxx>
#include <gp_Trsf.hxx>
#include <gp_XYZ.hxx>
#include <TopLoc_Location.hxx>

namespace KorrCore {

// Places points and directions by a shape's location; an identity location
// leaves them untouched at no cost.
class Placement {
public:
    explicit Placement(const TopLoc_Location& location)
        : moved(!location.IsIdentity()), transform(location.Transformation())
    {
    }

    gp_Pnt operator()(gp_Pnt point) const
    {
        if (moved)
            point.Transform(transform);
        return point;
    }

    // Directions turn with the location; its translation does not apply.
    gp_Dir operator()(gp_Dir direction) const
    {
        if (moved)
            direction.Transform(transform);
        return direction;
    }

private:
    bool moved;
    gp_Trsf transform;
};

// Stores x, y, z as floats at out[0 .. 2]: the one place display buffers turn
// doubles into floats.
inline void StoreXYZ(float* out, const gp_XYZ& xyz)
{
    out[0] = static_cast<float>(xyz.X());
    out[1] = static_cast<float>(xyz.Y());
    out[2] = static_cast<float>(xyz.Z());
}

} // namespace KorrCore
