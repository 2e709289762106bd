#include "MeshViews.h"

#include <memory>
#include <vector>

#include <pybind11/numpy.h>

#include <KorrGeomCore/TopoExplor/KShapeMesher.h>

#include "Arguments.h"
#include "Cancellable.h"
#include "PyShape.h"

namespace py = pybind11;
using namespace KorrCore;

namespace KorrPython {

namespace {

using SharedMesh = std::shared_ptr<const KShapeMesh>;

struct PyMesh {
    SharedMesh mesh;
};

// A part or an instance: its mesh and its place in the mesh's list.
struct PyMeshPart {
    SharedMesh mesh;
    std::size_t index;
    const KMeshPart& Part() const { return mesh->Parts[index]; }
};
struct PyMeshInstance {
    SharedMesh mesh;
    std::size_t index;
    const KMeshInstance& Instance() const { return mesh->Instances[index]; }
};

// A read-only numpy view of the mesh's own memory: rows of `columns`
// elements `rowStride` bytes apart. The capsule owns a reference to the mesh,
// which lives as long as any view of it.
template <class T>
py::array View(const SharedMesh& mesh, const T* data, std::size_t rows, std::size_t columns,
               std::size_t rowStride = 0)
{
    const py::capsule owner(new SharedMesh(mesh), [](void* held) { delete static_cast<SharedMesh*>(held); });
    static const T none{};
    const auto stride = static_cast<py::ssize_t>(rowStride ? rowStride : columns * sizeof(T));
    py::array view(py::dtype::of<T>(),
                   {static_cast<py::ssize_t>(rows), static_cast<py::ssize_t>(columns)},
                   {stride, static_cast<py::ssize_t>(sizeof(T))}, rows ? data : &none, owner);
    view.attr("setflags")(py::arg("write") = false);
    return view;
}

// The whole placed shape as one list of nodes and triangles: each instance's
// part moved by its placement, its normals left out. A mirroring placement
// reverses the winding, so that triangles stay counter-clockwise from outside.
py::tuple Merged(const PyMesh& self)
{
    std::size_t nodes = 0, triangles = 0;
    for (const KMeshInstance& instance : self.mesh->Instances) {
        nodes += self.mesh->Parts[instance.Part].NodeCount();
        triangles += self.mesh->Parts[instance.Part].TriangleCount();
    }
    py::array_t<float> positions({static_cast<py::ssize_t>(nodes), py::ssize_t(3)});
    py::array_t<std::uint32_t> indices({static_cast<py::ssize_t>(triangles), py::ssize_t(3)});
    float* position = positions.mutable_data();
    std::uint32_t* index = indices.mutable_data();
    {
        py::gil_scoped_release unlocked;
        std::uint32_t firstNode = 0;
        for (const KMeshInstance& instance : self.mesh->Instances) {
            const KMeshPart& part = self.mesh->Parts[instance.Part];
            const double* m = instance.Placement.m;
            for (std::size_t n = 0; n < part.NodeCount(); ++n, position += 3) {
                const double x = part.Positions[3 * n], y = part.Positions[3 * n + 1], z = part.Positions[3 * n + 2];
                for (int row = 0; row < 3; ++row)
                    position[row] = static_cast<float>(m[4 * row] * x + m[4 * row + 1] * y + m[4 * row + 2] * z +
                                                       m[4 * row + 3]);
            }
            const double determinant = m[0] * (m[5] * m[10] - m[6] * m[9]) - m[1] * (m[4] * m[10] - m[6] * m[8]) +
                                       m[2] * (m[4] * m[9] - m[5] * m[8]);
            const bool mirrored = determinant < 0.0;
            for (std::size_t t = 0; t < part.TriangleCount(); ++t, index += 3) {
                const unsigned int* corner = &part.Indices[3 * t];
                index[0] = firstNode + corner[0];
                index[1] = firstNode + corner[mirrored ? 2 : 1];
                index[2] = firstNode + corner[mirrored ? 1 : 2];
            }
            firstNode += static_cast<std::uint32_t>(part.NodeCount());
        }
    }
    return py::make_tuple(positions, indices);
}

py::object MeshShape(const PyShape& self, py::handle deflection, py::handle angularDeflection, py::handle progress)
{
    KMeshOptions options;
    options.Deflection = OptionalNumber(deflection, "deflection").value_or(0.0);
    options.AngularDeflection = Number(angularDeflection, "angular_deflection");
    PyProgress indicator(py::reinterpret_borrow<py::object>(progress), std::nullopt);
    options.Progress = &indicator;
    auto mesh = std::make_shared<KShapeMesh>();
    bool meshed = false;
    const KOutcome outcome = indicator.Run([&] { meshed = KShapeMesher::Mesh(self.handle, options, *mesh); });
    indicator.RaiseUnlessOk(outcome, meshed);
    return py::cast(PyMesh{mesh});
}

void BindPart(py::module_& module)
{
    py::class_<PyMeshPart>(module, "MeshPart",
                           "One distinct part's display data, in the part's own frame. Every array is a "
                           "read-only view of the mesh's own buffer, not a copy, and keeps the mesh alive.")
        .def_property_readonly(
            "positions",
            [](const PyMeshPart& self) {
                return View(self.mesh, self.Part().Positions.data(), self.Part().NodeCount(), 3);
            },
            "N x 3 float32: x, y, z of each node.")
        .def_property_readonly(
            "normals",
            [](const PyMeshPart& self) {
                return View(self.mesh, self.Part().Normals.data(), self.Part().NodeCount(), 3);
            },
            "N x 3 float32: the unit normal of each node, pointing out of the material.")
        .def_property_readonly(
            "tex_coords",
            [](const PyMeshPart& self) {
                return View(self.mesh, self.Part().TexCoords.data(), self.Part().TexCoords.size() / 2, 2);
            },
            "N x 2 float32: u, v of each node on its face's surface.")
        .def_property_readonly(
            "indices",
            [](const PyMeshPart& self) {
                return View(self.mesh, self.Part().Indices.data(), self.Part().TriangleCount(), 3);
            },
            "M x 3 uint32: the nodes of each triangle, counter-clockwise seen from outside.")
        .def_property_readonly(
            "face_ranges",
            [](const PyMeshPart& self) {
                const std::vector<KMeshFace>& faces = self.Part().Faces;
                return View(self.mesh, faces.empty() ? nullptr : &faces.front().Triangles.First, faces.size(), 2,
                            sizeof(KMeshFace));
            },
            "F x 2 uint64: the first triangle and the triangle count of each face, in the order of "
            "Shape.faces().")
        .def_property_readonly(
            "edge_points",
            [](const PyMeshPart& self) {
                return View(self.mesh, self.Part().EdgePoints.data(), self.Part().EdgePoints.size() / 3, 3);
            },
            "P x 3 float32: the points of every edge's polyline, one edge after another.")
        .def_property_readonly(
            "edge_ranges",
            [](const PyMeshPart& self) {
                const std::vector<KMeshRange>& edges = self.Part().Edges;
                return View(self.mesh, edges.empty() ? nullptr : &edges.front().First, edges.size(), 2);
            },
            "E x 2 uint64: the first point and the point count of each edge in edge_points.")
        .def_property_readonly(
            "product", [](const PyMeshPart& self) { return self.Part().Product; },
            "The product name the part carries, or \"\".")
        .def_property_readonly(
            "closed", [](const PyMeshPart& self) { return self.Part().Closed; },
            "True when every face bounds a closed solid and has triangles.")
        .def("__repr__", [](const PyMeshPart& self) {
            return "<korrgeom.MeshPart " + std::to_string(self.Part().NodeCount()) + " nodes, " +
                   std::to_string(self.Part().TriangleCount()) + " triangles>";
        });
}

void BindInstance(py::module_& module)
{
    py::class_<PyMeshInstance>(module, "MeshInstance", "One placement of a part in the meshed shape.")
        .def_property_readonly(
            "part", [](const PyMeshInstance& self) { return self.Instance().Part; },
            "The part placed: its index in Mesh.parts.")
        .def_property_readonly(
            "placement",
            [](const PyMeshInstance& self) { return View(self.mesh, self.Instance().Placement.m, 4, 4); },
            "4 x 4 float64 (read-only view): from the part's frame into the shape's, the translation in the "
            "fourth column.")
        .def_property_readonly(
            "name", [](const PyMeshInstance& self) { return self.Instance().Name; },
            "The name the shape gives this use of the part, or \"\".")
        .def("__repr__", [](const PyMeshInstance& self) {
            return "<korrgeom.MeshInstance of part " + std::to_string(self.Instance().Part) + ">";
        });
}

} // namespace

void BindMesh(py::module_& module)
{
    BindPart(module);
    BindInstance(module);
    py::class_<PyMesh>(module, "Mesh",
                       "A shape's display data: each distinct part once (parts), and each placement of a part "
                       "(instances).")
        .def_property_readonly(
            "parts",
            [](const PyMesh& self) {
                py::list parts;
                for (std::size_t i = 0; i < self.mesh->Parts.size(); ++i)
                    parts.append(PyMeshPart{self.mesh, i});
                return parts;
            },
            "The distinct parts, each held once however often it is placed.")
        .def_property_readonly(
            "instances",
            [](const PyMesh& self) {
                py::list instances;
                for (std::size_t i = 0; i < self.mesh->Instances.size(); ++i)
                    instances.append(PyMeshInstance{self.mesh, i});
                return instances;
            },
            "The placements of the parts, in the order of the shape's faces.")
        .def_property_readonly(
            "deflection", [](const PyMesh& self) { return self.mesh->Deflection; },
            "The linear deflection the mesh was made with, in model units.")
        .def("merged", &Merged,
             "The whole placed shape as one (positions, indices) pair: N x 3 float32 and M x 3 uint32 arrays "
             "(copies), ready for trimesh or matplotlib.")
        .def("__repr__", [](const PyMesh& self) {
            return "<korrgeom.Mesh " + std::to_string(self.mesh->Parts.size()) + " parts, " +
                   std::to_string(self.mesh->Instances.size()) + " instances>";
        });

    py::reinterpret_borrow<py::class_<PyShape>>(module.attr("Shape"))
        .def("mesh", &MeshShape, py::arg("deflection") = py::none(), py::arg("angular_deflection") = 0.5,
             py::arg("progress") = py::none(),
             R"(The shape's display mesh.

deflection is the largest distance of the triangles from the surfaces, in
model units; None derives it from the shape's size. angular_deflection is the
largest angle, in radians, between neighbouring segments along a curve.
progress, when given, is called with the fraction done; returning True or
raising stops the meshing. Ctrl-C stops it too.)");
}

} // namespace KorrPython
