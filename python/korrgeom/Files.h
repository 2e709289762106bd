#pragma once

#include <pybind11/pybind11.h>

namespace KorrPython {

// load and save, through the library's file service for the path's extension.
void BindFiles(pybind11::module_& module);

} // namespace KorrPython
