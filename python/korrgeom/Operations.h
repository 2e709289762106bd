#pragma once

#include <pybind11/pybind11.h>

namespace KorrPython {

// The Shape methods that make new shapes (booleans, blends, transforms) and
// the module's sweeps: extrude, revolve, loft, sweep.
void BindOperations(pybind11::module_& module);

} // namespace KorrPython
