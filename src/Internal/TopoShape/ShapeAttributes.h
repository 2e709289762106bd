#pragma once

#include <TopoDS_Shape.hxx>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include <KorrGeomCore/Platform/KColor.h>

namespace KorrCore {

// What a file (or a host) says about one sub-shape. For a located use of a
// part or assembly, `name` is the use's own (instance) name and `product` the
// name of what it uses; other sub-shapes have at most a name. Names are UTF-8.
// A use's colour is its own, else its product's. A file's uses are marked as
// such whether or not they name anything, as is a host's assembly; a compound
// whose children are uses is an assembly.
struct SubShapeAttributes {
    std::string name;
    std::string product;
    std::optional<KColor> colour;
    bool use = false;

    // A host names a use by its product alone.
    bool IsUse() const { return use || !product.empty(); }
};

// Names and colours of the sub-shapes of one root shape. Sub-shapes are keyed
// as found by exploring the root without its own location, so that moving the
// root keeps every key; orientation does not matter. Repeated parts are
// repeated keys, one per located use, each with its own entry.
//
// A part or assembly taken out of its root (a child an assembly walk hands
// out) sees its share of the root's table through a table of its own that
// looks there for what it does not hold itself, so that handing out children
// copies nothing, however large the assembly.
//
// Built into each library and program that uses it rather than exported: a
// table made by one is read by another through the same code.
class ShapeAttributes {
public:
    ShapeAttributes() = default;
    // The table of a use taken out of the root of `outer`: the use placed by
    // `placement` (its key in `outer` without the shape) is the new root.
    ShapeAttributes(std::shared_ptr<const ShapeAttributes> outer, const TopLoc_Location& placement);

    // The key of a sub-shape found by exploring the located root.
    static TopoDS_Shape KeyUnder(const TopoDS_Shape& root, const TopoDS_Shape& subShape);

    void Set(const TopoDS_Shape& key, SubShapeAttributes attributes);
    const SubShapeAttributes* Find(const TopoDS_Shape& key) const;

    // True when no sub-shape has an entry, here or in the outer table.
    bool Empty() const { return entries.empty() && !outer; }
    // The entries of every sub-shape of `root` (unlocated) that has one, in a
    // table that needs no outer one: what leaves the process with the shape.
    ShapeAttributes Resolved(const TopoDS_Shape& root) const;

    // The table's own entries; those of an outer table are not visited.
    template <class Visit> void ForEach(Visit&& visit) const
    {
        for (const auto& [key, attributes] : entries)
            visit(key, attributes);
    }

private:
    struct KeyHash {
        std::size_t operator()(const TopoDS_Shape& shape) const;
    };
    struct KeyEqual {
        bool operator()(const TopoDS_Shape& a, const TopoDS_Shape& b) const { return a.IsSame(b); }
    };
    std::unordered_map<TopoDS_Shape, SubShapeAttributes, KeyHash, KeyEqual> entries;
    std::shared_ptr<const ShapeAttributes> outer;
    TopLoc_Location placement;
};

} // namespace KorrCore
