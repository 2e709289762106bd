#include "Assembly.h"

#include <KorrGeomCore/KorrGeomCore.h>

#include <pybind11/numpy.h>

#include <vector>

#include "Errors.h"
#include "PyShape.h"

namespace py = pybind11;
using namespace KorrCore;

namespace KorrPython {

namespace {

// One use in an assembly, or one member of another compound. Its shape is a
// root of its own: its names and colours, and those below it, are read there.
struct PyChild {
    PyShape shape;
    py::array_t<double> placement;
    std::string name, product;
    py::object colour;
    bool assembly = false;
};

py::array_t<double> Placement(const KMath::Matrix4& matrix)
{
    py::array_t<double> placement({4, 4});
    std::copy(matrix.m, matrix.m + 16, placement.mutable_data());
    placement.attr("setflags")(py::arg("write") = false);
    return placement;
}

py::list Children(const PyShape& self)
{
    std::vector<KAssemblyChild> children;
    KOutcome outcome;
    bool listed = false;
    {
        py::gil_scoped_release unlocked;
        listed = KAssemblyExplor::Explor(self.handle, children);
        outcome = KLastOutcome();
    }
    RaiseUnlessOk(outcome, listed);
    py::list result;
    for (const KAssemblyChild& child : children) {
        PyChild use{Made(child.Shape), Placement(child.Placement), KStringUtil::w2a(child.Name),
                    KStringUtil::w2a(child.Product), py::none(), child.IsAssembly};
        if (child.Colour)
            use.colour = py::make_tuple(child.Colour->Red, child.Colour->Green, child.Colour->Blue);
        result.append(std::move(use));
    }
    return result;
}

} // namespace

void BindAssembly(py::module_& module)
{
    py::class_<PyChild>(module, "Child", "One use of a part or sub-assembly in an assembly, as children() lists it.")
        .def_readonly("shape", &PyChild::shape,
                      "The part or sub-assembly in its own frame. A part used several times is the same shared "
                      "shape each time (see Shape.same_part).")
        .def_readonly("placement", &PyChild::placement,
                      "4x4 read-only array taking the child's frame into its parent's (the translation in the last "
                      "column).")
        .def_readonly("name", &PyChild::name, "The name of this use (the instance name), or \"\".")
        .def_readonly("product", &PyChild::product, "The name of the part or assembly used, or \"\".")
        .def_readonly("color", &PyChild::colour, "The use's colour, else its product's, as (r, g, b), or None.")
        .def_readonly("is_assembly", &PyChild::assembly,
                      "True when the child is an assembly whose own children() are uses; False for a part.")
        .def("__repr__", [](const PyChild& self) {
            return "<korrgeom.Child " + std::string(py::repr(py::str(self.name))) + " of " +
                   std::string(py::repr(py::str(self.product))) + ">";
        });
    py::object shape = module.attr("Shape");
    shape.attr("children") = py::cpp_function(
        &Children, py::name("children"), py::is_method(shape), py::sibling(py::getattr(shape, "children", py::none())),
        R"(The shape's direct children: for an assembly its uses, each with .shape, .placement, .name, .product,
.color and .is_assembly; for another compound its members; for a solid its shells, and so on down.
Call it again on a child that is an assembly to walk the tree.)");
    shape.attr("same_part") = py::cpp_function(
        [](const PyShape& self, py::handle other) {
            return KAssemblyExplor::IsSamePart(self.handle, ShapeArgument(other, "other").handle);
        },
        py::name("same_part"), py::is_method(shape), py::arg("other"),
        "True when both hold the same shared shape, wherever placed: the uses of one part do.");
}

} // namespace KorrPython
