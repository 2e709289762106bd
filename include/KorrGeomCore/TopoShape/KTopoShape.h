#pragma once

#include <list>
#include <memory>

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/AxisAlignedBox.h>

namespace KorrCore {

// The kind of a shape; the values are the kernel's own shape kinds.
enum TopoShapeType {
    TopoCompound = 0,
    TopoCompSolid = 1,
    TopoSolid = 2,
    TopoShell = 3,
    TopoFace = 4,
    TopoWire = 5,
    TopoEdge = 6,
    TopoVertex = 7,
    TopoGeneric = 8,
};

class KTopoShapeImpl;

// An opaque handle to one kernel shape. Copies share one implementation object,
// so a shape replaced through any copy (the in-place transforms, for instance)
// is seen through all of them.
class KORRGEOMCORE_EXPORT KTopoShape {
public:
    // A handle holding no shape.
    KTopoShape();
    // Copies share the implementation object: see above.
    KTopoShape(const KTopoShape& other);
    KTopoShape& operator=(const KTopoShape& other);
    ~KTopoShape();

    // True when the handle holds no kernel shape.
    bool IsNull() const;
    // TopoGeneric for a handle that holds no kernel shape.
    TopoShapeType GetShapeType() const;
    // The kernel's bounding box (tolerances included); (0,0,0)-(1,1,1) when the
    // shape has no extent, such as a null shape or an empty compound.
    KMath::AxisAlignedBox GetBBox() const;

private:
    friend class KTopoShapeImpl;
    std::shared_ptr<KTopoShapeImpl> impl;
};

// What builders and operations return: null on failure.
using ShapePtr = std::shared_ptr<KTopoShape>;
// Shapes in order; the library appends to such lists, never clears them.
using ShapeList = std::list<ShapePtr>;

} // namespace KorrCore
