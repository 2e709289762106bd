#pragma once

#include <pybind11/pybind11.h>

namespace KorrPython {

// Shape.children(), Shape.same_part() and the class of the uses they list.
void BindAssembly(pybind11::module_& module);

} // namespace KorrPython
