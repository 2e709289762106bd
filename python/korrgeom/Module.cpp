// The extension module behind the korrgeom package.

#include <pybind11/pybind11.h>

#include "Assembly.h"
#include "Builders.h"
#include "Errors.h"
#include "Files.h"
#include "MeshViews.h"
#include "Operations.h"
#include "PyShape.h"

PYBIND11_MODULE(_korrgeom, module)
{
    module.doc() = "KorrGeomCore's shapes, meshes and files for Python; import korrgeom instead.";
    KorrPython::BindErrors(module);
    KorrPython::BindShape(module);
    KorrPython::BindAssembly(module);
    KorrPython::BindOperations(module);
    KorrPython::BindBuilders(module);
    KorrPython::BindMesh(module);
    KorrPython::BindFiles(module);
}
