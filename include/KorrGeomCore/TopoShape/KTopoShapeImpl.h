#pragma once

#include <TopoDS_Shape.hxx>

#include <KorrGeomCore/KorrGeomCoreExport.h>

namespace KorrCore {

class KTopoShape;

// Holds the kernel shape behind a KTopoShape. Copies copy the kernel shape,
// which shares its underlying data: no geometry is duplicated.
class KORRGEOMCORE_EXPORT KTopoShapeImpl {
public:
    KTopoShapeImpl() = default;
    explicit KTopoShapeImpl(const TopoDS_Shape& kernelShape);
    KTopoShapeImpl(const KTopoShapeImpl& other) = default;
    KTopoShapeImpl& operator=(const KTopoShapeImpl& other) = default;
    ~KTopoShapeImpl() = default;

    void SetShape(const TopoDS_Shape& kernelShape);
    TopoDS_Shape& GetShape() { return shape; }
    operator TopoDS_Shape&() { return shape; }

    // Access through a handle; every handle sharing its implementation object
    // sees the change. The handle must not be null.
    static void SetShape(KTopoShape* handle, const TopoDS_Shape& kernelShape);
    static TopoDS_Shape& GetShape(KTopoShape* handle);

private:
    TopoDS_Shape shape;
};

} // namespace KorrCore
