#pragma once

#include <TopoDS_Shape.hxx>

#include <optional>
#include <string>
#include <unordered_map>

#include <KorrGeomCore/KorrGeomCoreExport.h>

namespace KorrCore {

// A colour as a file states it: red, green, blue and opacity, each from 0 to 1.
struct ShapeColour {
    float red = 0, green = 0, blue = 0, alpha = 1;
    bool operator==(const ShapeColour& other) const
    {
        return red == other.red && green == other.green && blue == other.blue && alpha == other.alpha;
    }
};

// What a file says about one sub-shape. For a located use of a part or
// assembly, `name` is the use's own (instance) name and `product` the name of
// what it uses; other sub-shapes have at most a name.
struct SubShapeAttributes {
    std::string name;
    std::string product;
    std::optional<ShapeColour> colour;
};

// Names and colours of the sub-shapes of one root shape. Sub-shapes are keyed
// as found by exploring the root without its own location, so that moving the
// root keeps every key; orientation does not matter. Repeated parts are
// repeated keys, one per located use, each with its own entry.
class KORRGEOMCORE_EXPORT ShapeAttributes {
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
