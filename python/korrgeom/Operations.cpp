#include "Operations.h"

#include <TopoDS_Iterator.hxx>

#include <cmath>

#include <KorrGeomCore/TopoShape/KFeatureTools.h>
#include <KorrGeomCore/TopoShape/KTopoShapeImpl.h>

#include "Arguments.h"
#include "PyShape.h"

namespace py = pybind11;
using namespace KorrCore;
using KMath::Vector3;

namespace KorrPython {

namespace {

// The simplest kind that holds the result: the kernel wraps the result of a
// boolean or a blend in a compound even when it is one solid, and a Python
// user expects (box - cylinder).kind == "solid".
ShapePtr Simplest(ShapePtr shape)
{
    for (;;) {
        const TopoDS_Shape& held = KTopoShapeImpl::GetShape(shape.get());
        if (held.ShapeType() != TopAbs_COMPOUND || held.NbChildren() != 1)
            return shape;
        const TopoDS_Iterator child(held);
        auto only = std::make_shared<KTopoShape>();
        KTopoShapeImpl::SetShape(only.get(), child.Value());
        shape = only;
    }
}

template <class Call> py::object Result(Call call)
{
    return py::cast(Made(Simplest(Built(call))));
}

ShapeList EdgesArgument(py::handle edges)
{
    return edges.is_none() ? ShapeList() : ShapeListArgument(edges, "edges");
}

py::object Fillet(const PyShape& self, py::handle radius, py::handle edges)
{
    const double r = Number(radius, "radius");
    const ShapeList chosen = EdgesArgument(edges);
    return Result([&] {
        return edges.is_none() ? KFeatureTools::Fillet(self.handle, r) : KFeatureTools::FilletEdges(self.handle, r, chosen);
    });
}

py::object Chamfer(const PyShape& self, py::handle distance, py::handle edges)
{
    const double d = Number(distance, "distance");
    const ShapeList chosen = EdgesArgument(edges);
    return Result([&] {
        return edges.is_none() ? KFeatureTools::Chamfer(self.handle, d, d)
                               : KFeatureTools::ChamferEdges(self.handle, d, d, chosen);
    });
}

template <KBooleanOp Operation> py::object Boolean(const PyShape& self, py::handle other)
{
    const ShapePtr second = ShapeArgument(other, "other").handle;
    return Result([&] { return KFeatureTools::Boolean(self.handle, second, Operation); });
}

py::object Translated(const PyShape& self, py::handle vector)
{
    const Vector3 offset = Point(vector, "vector");
    return Result([&] { return KFeatureTools::Translate(self.handle, offset); });
}

py::object Rotated(const PyShape& self, py::handle origin, py::handle axis, py::handle angle)
{
    const Vector3 point = Point(origin, "origin"), direction = Point(axis, "axis");
    const double degrees = Number(angle, "angle_degrees");
    return Result([&] { return KFeatureTools::Rotation(self.handle, point, direction, degrees); });
}

py::object Scaled(const PyShape& self, py::handle factor, py::handle center)
{
    const double f = Number(factor, "factor");
    const Vector3 c = Point(center, "center");
    return Result([&] { return KFeatureTools::Scale(self.handle, c, f); });
}

// The reflection in the plane through origin normal to `normal`: x -> x - 2
// ((x - o) . n) n for unit n.
py::object Mirrored(const PyShape& self, py::handle origin, py::handle normal)
{
    const Vector3 o = Point(origin, "origin");
    Vector3 n = Point(normal, "normal");
    const double length = n.normalise();
    if (!(length > 0.0) || !std::isfinite(length))
        Raise(KOutcomeCode::InvalidArgument, "normal must be a finite direction of some length, not (" +
                                                 std::to_string(n.x) + ", " + std::to_string(n.y) + ", " +
                                                 std::to_string(n.z) + ")");
    const double shift = 2.0 * o.dotProduct(n);
    const KMath::Matrix4 reflection(1 - 2 * n.x * n.x, -2 * n.x * n.y, -2 * n.x * n.z, shift * n.x,
                                    -2 * n.y * n.x, 1 - 2 * n.y * n.y, -2 * n.y * n.z, shift * n.y,
                                    -2 * n.z * n.x, -2 * n.z * n.y, 1 - 2 * n.z * n.z, shift * n.z,
                                    0, 0, 0, 1);
    return Result([&] { return KFeatureTools::Transform(self.handle, reflection); });
}

py::object Extrude(py::handle shape, py::handle vector)
{
    const ShapePtr profile = ShapeArgument(shape, "shape").handle;
    const Vector3 direction = Point(vector, "vector");
    return Result([&] { return KFeatureTools::Extrude(profile, 1.0, direction); });
}

py::object Revolve(py::handle shape, py::handle origin, py::handle axis, py::handle angle)
{
    const ShapePtr profile = ShapeArgument(shape, "shape").handle;
    const Vector3 point = Point(origin, "origin"), direction = Point(axis, "axis");
    const double degrees = Number(angle, "angle_degrees");
    return Result([&] { return KFeatureTools::Revol(profile, point, direction, degrees * M_PI / 180.0); });
}

py::object Loft(py::handle sections, py::handle solid)
{
    const ShapeList profiles = ShapeListArgument(sections, "sections");
    if (!py::isinstance<py::bool_>(solid))
        Raise(KOutcomeCode::InvalidArgument, "solid must be a bool, not " + TypeName(solid));
    const bool closed = solid.cast<bool>();
    return Result([&] { return KFeatureTools::MakeLoft(profiles, closed); });
}

py::object Sweep(py::handle profile, py::handle path)
{
    KPipeShellParam parameters;
    KPipeShellParam::SectionProfile section;
    section.Profile = ShapeArgument(profile, "profile").handle;
    parameters.AddProfile(section);
    parameters.Spine = ShapeArgument(path, "path").handle;
    return Result([&] { return KFeatureTools::MakePipeShell(parameters); });
}

} // namespace

void BindOperations(py::module_& module)
{
    py::class_<PyShape> shape = py::reinterpret_borrow<py::class_<PyShape>>(module.attr("Shape"));
    const py::tuple zero = py::make_tuple(0, 0, 0);
    shape
        .def("fillet", &Fillet, py::arg("radius"), py::arg("edges") = py::none(),
             "The shape with its edges rounded: all of them when edges is None, else the listed ones (from "
             "edges()). A planar face rounds its corners.")
        .def("chamfer", &Chamfer, py::arg("distance"), py::arg("edges") = py::none(),
             "The shape with its edges bevelled by distance on both faces: all of them when edges is None, else "
             "the listed ones (from edges()).")
        .def("cut", &Boolean<BooleanCut>, py::arg("other"), "This shape minus the other.")
        .def("fuse", &Boolean<BooleanFuse>, py::arg("other"), "The union of both shapes.")
        .def("common", &Boolean<BooleanCommon>, py::arg("other"), "The intersection of both shapes.")
        .def("__sub__", &Boolean<BooleanCut>, py::is_operator())
        .def("__add__", &Boolean<BooleanFuse>, py::is_operator())
        .def("__and__", &Boolean<BooleanCommon>, py::is_operator())
        .def("translated", &Translated, py::arg("vector"), "The shape moved by vector.")
        .def("rotated", &Rotated, py::arg("origin"), py::arg("axis"), py::arg("angle_degrees"),
             "The shape turned about the axis through origin, counter-clockwise looking down the axis.")
        .def("scaled", &Scaled, py::arg("factor"), py::arg("center") = zero,
             "The shape scaled uniformly about center.")
        .def("mirrored", &Mirrored, py::arg("origin"), py::arg("normal"),
             "The shape reflected in the plane through origin normal to normal.");

    module.def("extrude", &Extrude, py::arg("shape"), py::arg("vector"),
               "The shape swept along vector: a face gives a solid, a wire a shell, an edge a face.");
    module.def("revolve", &Revolve, py::arg("shape"), py::arg("origin"), py::arg("axis"), py::arg("angle_degrees"),
               "The shape turned about the axis through origin by angle_degrees (outside (0.57, 360] the full "
               "turn).");
    module.def("loft", &Loft, py::arg("sections"), py::arg("solid") = true,
               "A smooth shape through the sections (wires or edges) in order: a solid closed at both ends, or "
               "with solid=False the shell alone.");
    module.def("sweep", &Sweep, py::arg("profile"), py::arg("path"),
               "The closed profile (a wire) swept along the path (an edge or a wire): a solid.");
}

} // namespace KorrPython
