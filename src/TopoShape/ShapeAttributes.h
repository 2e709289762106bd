#pragma once

#include <TopoDS_Shape.hxx>

#include <optional>
#include <string>
#include <unordered_map>

#include <KorrGeomCore/Platform/KColor.h>

namespace KorrCore {

// What a file (or a host) says about one sub-shape. For a located use of a
// part or assembly, `name` is the use's own (instance) name and `product` the
// name of what it uses; other sub-shapes have at most a name. Names are UTF-8.
// A use's colour is its own, else its product's.
struct SubShapeAttributes {
    std::string name;
    std::string product;
    std::optional<KColor> colour;
};

// Names and colours of the sub-shapes of one root shape. Sub-shapes are keyed
// as found by exploring the root without its own location, so that moving the
// root keeps every key; orientation does not matter. Repeated parts are
// repeated keys, one per located use, each with its own entry.
//
// Built into each library and program that uses it rather than exported: a
// table made by one is read by another through the same code.
class ShapeAttributes {
public:
    // The key of a sub-shape found by exploring the located root.
    static TopoDS_Shape KeyUnder(const TopoDS_Shape& root, const TopoDS_Shape& subShape);

    void Set(const TopoDS_Shape& key, SubShapeAttributes attributes);
    const SubShapeAttributes* Find(const TopoDS_Shape& key) const;

    std::size_t Size() const { return entries.size(); }
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
};

} // namespace KorrCore
