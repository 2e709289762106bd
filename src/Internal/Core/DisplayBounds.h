#pragma once

#include <Bnd_Box.hxx>
#include <TopoDS_Shape.hxx>
#include <gp_XYZ.hxx>

namespace KorrCore {

// Where the display data of a face or an edge may lie: the box of its
// geometry, widened by the deflection the data was made with and by a
// thousandth of its longest side (the kernel's boxes of some surfaces fall
// short by less). The kernel
// meshes and samples damaged geometry without complaint (parameter curves
// that stray far from the edges they belong to, coefficients that overflow),
// and a triangulation read from a file holds whatever the file said; such
// data is not finite or lies outside this box, and is not handed out.
class DisplayBounds {
public:
    // The box of the shape's curves and surfaces, not of a triangulation it
    // carries; a shape with no geometry but its triangulation (a mesh face)
    // gets the triangulation's box.
    DisplayBounds(const TopoDS_Shape& shape, double deflection);
    // The widened box itself.
    DisplayBounds(Bnd_Box box, double deflection);

    // Finite, and inside the widened box; nothing is, when the shape has no
    // extent.
    bool Holds(const gp_XYZ& point) const;

private:
    gp_XYZ lowest, highest;
};

// The box of the shape's curves and surfaces, or of its triangulation when it
// has no other geometry.
Bnd_Box GeometryBox(const TopoDS_Shape& shape);

// Every coordinate is finite.
bool IsFinite(const gp_XYZ& xyz);

} // namespace KorrCore
