#pragma once

#include <TopoDS_Shape.hxx>

#include <vector>

namespace KorrCore {

// The shapes on the way from the root, explored without its own location,
// down to the keyed sub-shape (see ShapeAttributes::KeyUnder), both included,
// each as exploring the root finds it. Where several ways lead there (a face
// of two solids), the first in the kernel's order. Empty when the root does
// not hold the key.
std::vector<TopoDS_Shape> PathTo(const TopoDS_Shape& root, const TopoDS_Shape& key);

} // namespace KorrCore
