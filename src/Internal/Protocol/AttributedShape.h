#pragma once

#include <TopoDS_Shape.hxx>

#include "Internal/TopoShape/ShapeAttributes.h"

namespace KorrCore::Xde {

// A shape with the names and colours of its sub-shapes: what the worker reads
// out of a document, and what the Exchange library hands it to write.
struct AttributedShape {
    TopoDS_Shape root;
    ShapeAttributes attributes;
};

} // namespace KorrCore::Xde
