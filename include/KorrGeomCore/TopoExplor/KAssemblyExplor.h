#pragma once

#include <cstdint>
#include <vector>

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/TopoShape/KAssemblyChild.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// The tree of an assembly, one level at a time. A STEP file's assembly loads
// as compounds holding placed uses of shared parts and sub-assemblies, with
// their names and colours (see KShapeAttributes); this lists the uses of one
// level with all of that, so that a host walks the file's tree by calling it
// again on each child that is an assembly.
class KORRGEOMCORE_EXPORT KAssemblyExplor {
public:
    // Appends the shape's direct children in the kernel's order: for an
    // assembly its uses, for any other compound its members, for a solid its
    // shells, down to an edge's vertices (a vertex has none). Each child's
    // handle holds it in its own frame and carries the names and colours the
    // shape gives it and everything below it, so that the walk goes on from
    // there; the shape's own names stay with the shape. False, with the list
    // unchanged, for a null handle or shape (reported, outcome NullShape).
    static bool Explor(const ShapePtr& shape, std::vector<KAssemblyChild>& children);

    // Whether the shape is an assembly: a compound placing parts or
    // assemblies, as a loaded STEP assembly (named or not) and the result of
    // KBrepTools::MakeAssembly do, and a compound whose children the host
    // gave product names (KShapeAttributes). False for a null handle or
    // shape, and for a part that is a compound of bodies.
    static bool IsAssembly(const ShapePtr& shape);

    // Whether the two handles hold the same shared shape, wherever either is
    // placed and however oriented: the uses of one part, as Explor hands them
    // out, do. False when either holds no shape.
    static bool IsSamePart(const ShapePtr& first, const ShapePtr& second);
    // A number that is the same for handles IsSamePart finds the same, and
    // differs between shapes that exist at the same time: a key for hash
    // tables and for bindings to other languages. 0 when the handle holds no
    // shape.
    static std::uintptr_t PartId(const ShapePtr& shape);
};

} // namespace KorrCore
