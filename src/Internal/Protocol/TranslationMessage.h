#pragma once

#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS_Shape.hxx>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Internal/TopoShape/ShapeAttributes.h"

namespace KorrCore::Xde {

// How a translated shape travels between processes: the shape as BRep text,
// then its attributes, each keyed by the position of its sub-shape in a walk
// of the root that the BRep round trip reproduces (the text keeps shared
// sub-shapes shared and every location as a chain of the same steps).
//
//   korrgeom-translation 2\n
//   brep <bytes>\n<BRep text>\n
//   subshapes <count of the walk>\n
//   attributes <count>\n
//   then per entry: <index> <0|1 use> <name bytes> <product bytes> <0|1 colour> [<r> <g> <b> <a>]\n
//                   <name><product>\n
//   end\n
//
// Numbers are written locale-independently; names are UTF-8 bytes of any kind.

// Every sub-shape of the root, itself included, relative to its own frame, in
// the kernel's deterministic walk order (1-based).
TopTools_IndexedMapOfShape SubShapesInRootFrame(const TopoDS_Shape& root);

// Attributes whose keys are not sub-shapes of the root are left out.
std::string EncodeTranslation(const TopoDS_Shape& root, const ShapeAttributes& attributes);

// Its text lies within the message decoded, which must outlive it: the shape's
// text, up to the worker's memory limit, is not copied again.
struct DecodedTranslation {
    std::string_view brep;
    int subShapeCount = 0;
    std::vector<std::pair<int, SubShapeAttributes>> entries;
};

// Nothing unless the message is whole and well formed: a worker that died
// while writing leaves a message without its end.
std::optional<DecodedTranslation> DecodeTranslation(std::string_view message);

// The attributes the entries give the sub-shapes of a root read back from the
// message's text; nothing when its walk does not have the sender's length.
std::optional<ShapeAttributes> AttributesOn(const TopoDS_Shape& root, const DecodedTranslation& decoded);

} // namespace KorrCore::Xde
