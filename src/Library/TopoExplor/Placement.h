#pragma once

#include <TopLoc_Location.hxx>
#include <gp_Dir.hxx>
#include <gp_Mat.hxx>
#include <gp_Pnt.hxx>
#include <gp_Trsf.hxx>
#include <gp_XYZ.hxx>

namespace KorrCore {

// Places points and directions by a shape's location; an identity location
// leaves them untouched at no cost.
class Placement {
public:
    explicit Placement(const TopLoc_Location& location)
        : moved(!location.IsIdentity()), transform(location.Transformation()), turn(transform.HVectorialPart())
    {
        if (transform.IsNegative())
            turn.Multiply(-1.0);
    }

    gp_XYZ Point(gp_XYZ point) const
    {
        if (moved)
            transform.Transforms(point);
        return point;
    }

    // Directions turn with the location; its translation does not apply, and
    // a unit direction stays one.
    gp_XYZ Direction(gp_XYZ direction) const
    {
        if (moved)
            direction.Multiply(turn);
        return direction;
    }

    gp_Pnt operator()(const gp_Pnt& point) const { return gp_Pnt(Point(point.XYZ())); }
    gp_Dir operator()(const gp_Dir& direction) const { return gp_Dir(Direction(direction.XYZ())); }

    // True when the location turns the shape into its mirror image: triangles
    // placed by it wind the other way round.
    bool Mirrors() const { return moved && transform.IsNegative(); }

private:
    bool moved;
    gp_Trsf transform;
    // The linear part without the scale factor, its sign included.
    gp_Mat turn;
};

} // namespace KorrCore
