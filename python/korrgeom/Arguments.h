#pragma once

#include <optional>
#include <string>
#include <vector>

#include <pybind11/pybind11.h>

#include <KorrGeomCore/Platform/KColor.h>
#include <KorrGeomCore/Platform/Vector3.h>

namespace KorrPython {

// Python arguments read into the library's types. A value of the wrong type
// (None where a number goes, a string, a sequence of the wrong length)
// raises korrgeom.Error InvalidArgument naming the argument, as a value the
// library refuses does; pybind11's own TypeError would leave the caller
// without a code. The values themselves (NaN, negative sizes) are left to
// the library, which refuses them with its own reasons.

double Number(pybind11::handle value, const char* name);
// None gives nullopt.
std::optional<double> OptionalNumber(pybind11::handle value, const char* name);
KMath::Vector3 Point(pybind11::handle value, const char* name);
std::vector<KMath::Vector3> Points(pybind11::handle value, const char* name);
std::string Text(pybind11::handle value, const char* name);
// (r, g, b) or (r, g, b, a), each from 0 to 1.
KorrCore::KColor Colour(pybind11::handle value, const char* name);
// The items of a list, tuple or other iterable (not a string).
std::vector<pybind11::object> Items(pybind11::handle value, const char* name);

// "None", "str", ...: the type a refused value had.
std::string TypeName(pybind11::handle value);

} // namespace KorrPython
