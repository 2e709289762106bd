#pragma once

#include <pybind11/pybind11.h>

namespace KorrPython {

// Shape.mesh and the Mesh, MeshPart and MeshInstance classes: the mesher's
// buffers as read-only numpy views that keep the mesh alive.
void BindMesh(pybind11::module_& module);

} // namespace KorrPython
