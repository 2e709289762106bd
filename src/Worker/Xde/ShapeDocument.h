#pragma once

#include <TDocStd_Document.hxx>

#include "Worker/Xde/DocumentShape.h"

namespace KorrCore::Xde {

// Fills an empty XCAF document from a shape and its attributes, the reverse
// of ShapeFromDocument: a root compound without a product name holds the free
// shapes, otherwise the root is the one free shape. A compound at least one
// of whose children names a product is an assembly of its children; every
// other shape is a part, one per distinct shape however often it is placed. Product names and colours go to the
// products (the first use's colour; a use of another colour keeps it as its own), instance names and those colours to
// the component, and the other sub-shapes' names and colours to the part they belong to.
void FillDocument(const AttributedShape& shape, const Handle(TDocStd_Document) & document);

} // namespace KorrCore::Xde
