#pragma once

#include <TDocStd_Document.hxx>
#include <TopoDS_Shape.hxx>

#include "Internal/Protocol/AttributedShape.h"

namespace KorrCore::Xde {

// One shape for everything an XCAF document holds: its free shape, or a
// compound of them when there are several. Each assembly becomes a compound
// holding its components as located uses of one shape per product, so that a
// part placed several times is one shape placed several times. Every use gets
// its instance and product names and its colour (the surface colour, else the
// generic one; the use's own colour before its product's), and so does every
// sub-shape the document names or colours, once per use of its part. A null
// root for a document without shapes.
AttributedShape ShapeFromDocument(const Handle(TDocStd_Document) & document);

} // namespace KorrCore::Xde
