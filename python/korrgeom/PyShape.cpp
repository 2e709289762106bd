#include "PyShape.h"

#include <BRepCheck_Analyzer.hxx>
#include <Standard_Failure.hxx>
#include <TopTools_IndexedMapOfShape.hxx>

#include <pybind11/stl.h>

#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/TopoExplor/KTopoEdgeExplor.h>
#include <KorrGeomCore/TopoExplor/KTopoFaceExplor.h>
#include <KorrGeomCore/TopoExplor/KTopoVertexExplor.h>
#include <KorrGeomCore/TopoShape/KShapeAttributes.h>
#include <KorrGeomCore/TopoShape/KTopoShapeImpl.h>

#include "Arguments.h"

namespace py = pybind11;
using namespace KorrCore;

namespace KorrPython {

namespace {

const char* KindName(TopoShapeType type)
{
    static const char* const names[] = {"compound", "compsolid", "solid", "shell", "face",
                                        "wire",     "edge",      "vertex", "shape"};
    return names[type >= TopoCompound && type <= TopoGeneric ? type : TopoGeneric];
}

using Explorer = bool (*)(const ShapePtr&, ShapeList&);

// The sub-shapes an explorer lists, each once. A shape simpler than the
// sub-shapes' kind (the faces of an edge) has none, where the explorer
// would refuse it.
py::list SubShapes(const PyShape& shape, Explorer explore, TopoShapeType kind)
{
    if (shape.handle->GetShapeType() > kind)
        return py::list();
    ShapeList found;
    KOutcome outcome;
    {
        py::gil_scoped_release unlocked;
        explore(shape.handle, found);
        outcome = KLastOutcome();
    }
    RaiseUnlessOk(outcome, true);
    TopTools_IndexedMapOfShape seen;
    py::list result;
    for (const ShapePtr& sub : found)
        if (const int before = seen.Extent(); seen.Add(KTopoShapeImpl::GetShape(sub.get())) > before)
            result.append(PyShape{sub, shape.root});
    return result;
}

bool KernelValid(const PyShape& shape)
{
    py::gil_scoped_release unlocked;
    try {
        return BRepCheck_Analyzer(KTopoShapeImpl::GetShape(shape.handle.get())).IsValid();
    } catch (const Standard_Failure&) {
        return false;
    }
}

// The library reports a refused attribute through the outcome; the flag
// covers a refusal it gave no reason for.
void RaiseUnlessSet(bool set)
{
    RaiseUnlessOk(KLastOutcome(), set);
}

py::object ColourOf(const PyShape& shape)
{
    KColor colour;
    if (!KShapeAttributes::GetColor(shape.root, shape.handle, colour))
        return py::none();
    return py::make_tuple(colour.Red, colour.Green, colour.Blue);
}

std::string Represent(const PyShape& shape)
{
    const KMath::AxisAlignedBox box = shape.handle->GetBBox();
    const auto corner = [](const KMath::Vector3& p) {
        return "(" + std::string(py::repr(py::float_(p.x))) + ", " + std::string(py::repr(py::float_(p.y))) + ", " +
               std::string(py::repr(py::float_(p.z))) + ")";
    };
    return std::string("<korrgeom.Shape ") + KindName(shape.handle->GetShapeType()) + " " + corner(box.getMinimum()) +
           " - " + corner(box.getMaximum()) + ">";
}

} // namespace

PyShape Made(ShapePtr handle)
{
    return PyShape{handle, handle};
}

const PyShape& ShapeArgument(py::handle value, const char* name)
{
    if (value.is_none())
        Raise(KOutcomeCode::NullShape, std::string(name) + " is None, and must be a korrgeom.Shape");
    if (!py::isinstance<PyShape>(value))
        Raise(KOutcomeCode::InvalidArgument,
              std::string(name) + " must be a korrgeom.Shape, not " + TypeName(value));
    return value.cast<const PyShape&>();
}

ShapeList ShapeListArgument(py::handle value, const char* name)
{
    ShapeList shapes;
    for (const py::object& item : Items(value, name))
        shapes.push_back(ShapeArgument(item, name).handle);
    return shapes;
}

void BindShape(py::module_& module)
{
    py::class_<PyShape>(module, "Shape", R"(A shape: a solid, shell, face, wire, edge, vertex or a compound of them.

Shapes are values: no operation changes a shape, each returns a new one. Only
the names and colour, which a save writes, can be set on a shape.)")
        .def_property_readonly(
            "kind", [](const PyShape& self) { return KindName(self.handle->GetShapeType()); },
            R"(What the shape is: "compound", "compsolid", "solid", "shell", "face", "wire", "edge" or "vertex".)")
        .def(
            "bounding_box",
            [](const PyShape& self) {
                const KMath::AxisAlignedBox box = self.handle->GetBBox();
                const KMath::Vector3 &low = box.getMinimum(), &high = box.getMaximum();
                return py::make_tuple(py::make_tuple(low.x, low.y, low.z), py::make_tuple(high.x, high.y, high.z));
            },
            R"(((xmin, ymin, zmin), (xmax, ymax, zmax)), tolerances included; ((0, 0, 0), (1, 1, 1)) for a shape with no extent, such as an empty compound.)")
        .def("is_valid", &KernelValid, "True when the shape passes the kernel's validity check.")
        .def(
            "faces", [](const PyShape& self) { return SubShapes(self, &KTopoFaceExplor::Explor, TopoFace); },
            "The shape's faces, each once, in the kernel's order; none for wires, edges and vertices.")
        .def(
            "edges", [](const PyShape& self) { return SubShapes(self, &KTopoEdgeExplor::Explor, TopoEdge); },
            "The shape's distinct edges, in order of first occurrence; none for a vertex.")
        .def(
            "vertices", [](const PyShape& self) { return SubShapes(self, &KTopoVertexExplor::Explor, TopoVertex); },
            "The shape's distinct vertices, in order of first occurrence.")
        .def_property(
            "name",
            [](const PyShape& self) {
                return KStringUtil::w2a(KShapeAttributes::GetName(self.root, self.handle));
            },
            [](const PyShape& self, py::handle name) {
                RaiseUnlessSet(KShapeAttributes::SetName(self.root, self.handle, KStringUtil::a2w(Text(name, "name"))));
            },
            R"(The shape's own name ("" for none): for a placed part the instance name. Set it before a save; "" removes it.)")
        .def_property(
            "product",
            [](const PyShape& self) {
                return KStringUtil::w2a(KShapeAttributes::GetProductName(self.root, self.handle));
            },
            [](const PyShape& self, py::handle name) {
                RaiseUnlessSet(
                    KShapeAttributes::SetProductName(self.root, self.handle, KStringUtil::a2w(Text(name, "product"))));
            },
            R"(The name of the part or assembly the shape is ("" for none). A shape saved with a product name is a part of that name in STEP.)")
        .def_property(
            "color", &ColourOf,
            [](const PyShape& self, py::handle colour) {
                RaiseUnlessSet(KShapeAttributes::SetColor(self.root, self.handle, Colour(colour, "color")));
            },
            "The colour the shape shows with, (r, g, b) from 0 to 1, or None. Set it before a save.")
        .def("__repr__", &Represent);
}

} // namespace KorrPython
