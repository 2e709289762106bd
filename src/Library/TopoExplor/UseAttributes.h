#pragma once

#include <optional>
#include <string>
#include <vector>

#include <TopLoc_Location.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS_Shape.hxx>

#include <KorrGeomCore/Platform/KColor.h>

#include "Internal/TopoShape/ShapeAttributes.h"

namespace KorrCore {

// What a shape's names and colours say about one use of a part: the use's
// instance and product names, and each face's colour by the precedence
// KMeshFace::Colour states.
struct UseAttributes {
    std::string name;
    std::string product;
    // One entry per face of the part, in the order of `faces` below.
    std::vector<std::optional<KColor>> faceColours;

    bool operator==(const UseAttributes& other) const
    {
        return name == other.name && product == other.product && faceColours == other.faceColours;
    }
};

// Looks a use of `part` up among the attributes of `root` (null when the
// shape carries none): the part placed by `location`, which composes every
// location from the root down, as exploring the root gives it. `faces` are
// the part's own, unplaced.
UseAttributes FindUseAttributes(const TopoDS_Shape& root, const ShapeAttributes* attributes, const TopoDS_Shape& part,
                                const TopLoc_Location& location, const TopTools_IndexedMapOfShape& faces);

} // namespace KorrCore
