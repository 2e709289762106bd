#pragma once

#include <pybind11/pybind11.h>

namespace KorrPython {

// box, sphere, cylinder, cone, polygon, face, compound.
void BindBuilders(pybind11::module_& module);

} // namespace KorrPython
