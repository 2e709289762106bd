#pragma once

#include <cstddef>
#include <vector>

#include <TopLoc_Location.hxx>
#include <TopoDS_Shape.hxx>

namespace KorrCore {

// A shape seen as parts placed in space. The parts are what compounds hold
// (compounds inside compounds are looked through); a part that appears several
// times with the same shape data and orientation but different locations, as
// located copies do, is one part with several occurrences.
struct ShapeInstances {
    struct Occurrence {
        std::size_t part;
        // From the part's own frame into the shape's frame.
        TopLoc_Location location;
    };

    // Each part without location, in order of first appearance.
    std::vector<TopoDS_Shape> parts;
    // Every appearance of a part, in the order of the kernel's traversal.
    std::vector<Occurrence> occurrences;
};

ShapeInstances FindInstances(const TopoDS_Shape& shape);

} // namespace KorrCore
