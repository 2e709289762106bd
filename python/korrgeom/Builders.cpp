// The functions that make shapes from numbers and from other shapes' parts.

#include <pybind11/pybind11.h>

#include <KorrGeomCore/TopoShape/KBrepTools.h>

#include "Arguments.h"
#include "Builders.h"
#include "PyShape.h"

namespace py = pybind11;
using namespace KorrCore;
using KMath::Vector3;

namespace KorrPython {

namespace {

// The library's cylinder and cone are the shells around them; Python users
// expect the solids, which the closed shell bounds.
ShapePtr Filled(const ShapePtr& shell)
{
    return shell && !shell->IsNull() ? KBrepTools::MakeSolid({shell}) : shell;
}

py::object Box(py::handle dx, py::handle dy, py::handle dz, py::handle origin)
{
    const Vector3 size(Number(dx, "dx"), Number(dy, "dy"), Number(dz, "dz"));
    const Vector3 corner = Point(origin, "origin");
    return py::cast(Made(Built([&] { return KBrepTools::MakeBox(corner, Vector3::UNIT_Z, size); })));
}

py::object Sphere(py::handle radius, py::handle center)
{
    const double r = Number(radius, "radius");
    const Vector3 c = Point(center, "center");
    return py::cast(Made(Built([&] { return KBrepTools::MakeSphere(c, r); })));
}

py::object Cylinder(py::handle radius, py::handle height, py::handle origin, py::handle axis)
{
    const double r = Number(radius, "radius"), h = Number(height, "height");
    const Vector3 base = Point(origin, "origin"), direction = Point(axis, "axis");
    return py::cast(Made(Built([&] { return Filled(KBrepTools::MakeCylinder(base, direction, r, h, 360.0)); })));
}

py::object Cone(py::handle radius1, py::handle radius2, py::handle height, py::handle origin, py::handle axis)
{
    const double r1 = Number(radius1, "radius1"), r2 = Number(radius2, "radius2"), h = Number(height, "height");
    const Vector3 base = Point(origin, "origin"), direction = Point(axis, "axis");
    return py::cast(Made(Built([&] { return Filled(KBrepTools::MakeCone(base, direction, r1, h, r2, 360.0)); })));
}

py::object Polygon(py::handle points, py::handle closed)
{
    std::vector<Vector3> corners = Points(points, "points");
    if (!py::isinstance<py::bool_>(closed))
        Raise(KOutcomeCode::InvalidArgument, "closed must be a bool, not " + TypeName(closed));
    if (corners.size() < 2)
        Raise(KOutcomeCode::InvalidArgument,
              "points must hold at least two points, not " + std::to_string(corners.size()));
    const bool close = closed.cast<bool>();
    const int count = static_cast<int>(corners.size());
    return py::cast(Made(Built([&] {
        return close ? KBrepTools::MakePolygon(corners.data(), count) : KBrepTools::MakePolyline(corners.data(), count);
    })));
}

py::object Face(py::handle wire)
{
    const ShapePtr boundary = ShapeArgument(wire, "wire").handle;
    return py::cast(Made(Built([&] { return KBrepTools::MakeFace(boundary); })));
}

py::object Compound(py::handle shapes)
{
    const ShapeList members = ShapeListArgument(shapes, "shapes");
    return py::cast(Made(Built([&] { return KBrepTools::MakeCompound(members); })));
}

} // namespace

void BindBuilders(py::module_& module)
{
    const py::tuple zero = py::make_tuple(0, 0, 0);
    module.def("box", &Box, py::arg("dx"), py::arg("dy"), py::arg("dz"), py::arg("origin") = zero,
               "A solid box dx by dy by dz along X, Y and Z, with its lowest corner at origin.");
    module.def("sphere", &Sphere, py::arg("radius"), py::arg("center") = zero, "A solid sphere.");
    module.def("cylinder", &Cylinder, py::arg("radius"), py::arg("height"), py::arg("origin") = zero,
               py::arg("axis") = py::make_tuple(0, 0, 1),
               R"(A solid cylinder standing on the centre of its base, origin, along axis.

The C++ builder (KBrepTools::MakeCylinder) gives the lateral shell and caps;
this gives the solid they bound.)");
    module.def("cone", &Cone, py::arg("radius1"), py::arg("radius2"), py::arg("height"), py::arg("origin") = zero,
               py::arg("axis") = py::make_tuple(0, 0, 1),
               R"(A solid cone, or truncated cone, of base radius radius1 and top radius radius2, standing on the centre of its base, origin, along axis.

The C++ builder (KBrepTools::MakeCone) gives the lateral shell and caps;
this gives the solid they bound.)");
    module.def("polygon", &Polygon, py::arg("points"), py::arg("closed") = true,
               "A wire of straight edges through the points (x, y, z) in order, closed back to the first unless "
               "closed is False.");
    module.def("face", &Face, py::arg("wire"), "A face filling a closed wire: planar when the wire is.");
    module.def("compound", &Compound, py::arg("shapes"), "A compound of the shapes, in order.");
}

} // namespace KorrPython
