#pragma once

#include <optional>
#include <string>
#include <utility>

#include <KorrGeomCore/Platform/KColor.h>
#include <KorrGeomCore/Platform/Matrix4.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// One child of a shape as a host sees it: an assembly's use of a part or of
// another assembly, or another shape's direct sub-shape (a solid's shell,
// say). KAssemblyExplor::Explor lists them; KBrepTools::MakeAssembly builds
// an assembly of them.
struct KAssemblyChild {
    // An empty child, for the walk to fill.
    KAssemblyChild() = default;
    // A use to build an assembly of.
    KAssemblyChild(ShapePtr shape, const KMath::Matrix4& placement, std::wstring name = {}, std::wstring product = {},
                   std::optional<KColor> colour = std::nullopt)
        : Shape(std::move(shape)), Placement(placement), Name(std::move(name)), Product(std::move(product)),
          Colour(colour)
    {
    }

    // The child in its own frame. A part placed several times is one shared
    // shape, and each of its children's handles holds that same shape:
    // KAssemblyExplor::IsSamePart tells. The handle is a root of its own for
    // KShapeAttributes and the explorers: its own children keep their names
    // and colours there.
    ShapePtr Shape;
    // From the child's frame into its parent's: row-major, the translation in
    // the fourth column. An assembly only turns and moves its parts.
    KMath::Matrix4 Placement;
    // The name of this use of the part (the instance name), and the name of
    // the part or assembly used (the product name); either may be empty.
    std::wstring Name;
    std::wstring Product;
    // The use's colour, else the product's, when the shape gives one.
    std::optional<KColor> Colour;
    // The kind of the child's shape.
    TopoShapeType Kind = TopoGeneric;
    // True for an assembly, a compound of placed uses of parts and
    // assemblies (see KAssemblyExplor::IsAssembly), whose own children a
    // host walks on; false for a part.
    bool IsAssembly = false;
};

} // namespace KorrCore
