#pragma once

#include <Bnd_Box.hxx>
#include <TopoDS_Shape.hxx>

#include <memory>

#include <KorrGeomCore/KorrGeomCoreExport.h>

namespace KorrCore {

class KTopoShape;
class ShapeAttributes;
struct ValidityVerdict;

// Holds the kernel shape behind a KTopoShape, and the names and colours of its
// sub-shapes (see KShapeAttributes). Copies copy the kernel shape, which
// shares its underlying data: no geometry is duplicated.
class KORRGEOMCORE_EXPORT KTopoShapeImpl {
public:
    // No kernel shape.
    KTopoShapeImpl() = default;
    // Holds the kernel shape, without attributes.
    explicit KTopoShapeImpl(const TopoDS_Shape& kernelShape);
    // Copies hold the same kernel shape, attributes and verdicts.
    KTopoShapeImpl(const KTopoShapeImpl& other) = default;
    KTopoShapeImpl& operator=(const KTopoShapeImpl& other) = default;
    ~KTopoShapeImpl() = default;

    // The attributes stay when the new shape is the same shape moved or
    // reoriented (their keys do not depend on the root's location), and go
    // otherwise; so does the validity verdict.
    void SetShape(const TopoDS_Shape& kernelShape);

    // The kernel shape held (see ShapeDataChanged before changing its data).
    TopoDS_Shape& GetShape() { return shape; }
    operator TopoDS_Shape&() { return shape; }

    // Access through a handle; every handle sharing its implementation object
    // sees the change. The handle must not be null.
    static void SetShape(KTopoShape* handle, const TopoDS_Shape& kernelShape);
    // Through a handle, which must not be null.
    static TopoDS_Shape& GetShape(KTopoShape* handle);

    // The names and colours of the sub-shapes, as a file or the host gave them
    // (null when neither did); directly and through a handle, which must not
    // be null.
    const std::shared_ptr<const ShapeAttributes>& GetAttributes() const { return attributes; }
    void SetAttributes(std::shared_ptr<const ShapeAttributes> value) { attributes = std::move(value); }
    static const std::shared_ptr<const ShapeAttributes>& GetAttributes(const KTopoShape* handle);
    static void SetAttributes(KTopoShape* handle, std::shared_ptr<const ShapeAttributes> value);

    // The kernel's validity verdict on the held shape, once the library has
    // established it; null before. Handles used from several threads at once
    // may read and write it together.
    static std::shared_ptr<const ValidityVerdict> GetValidity(const KTopoShape* handle);
    static void SetValidity(const KTopoShape* handle, std::shared_ptr<const ValidityVerdict> verdict);

    // GetShape hands out the kernel shape itself, whose data every handle to
    // it shares. A host that changes that data in place (a tolerance, a
    // geometry, sub-shapes added or removed, through BRep_Builder or the
    // kernel's repair tools) calls this afterwards: the library keeps the
    // kernel's verdict on shapes it has checked, and would otherwise trust a
    // verdict on data that is no longer what was checked. Assigning another
    // shape, or SetShape, needs no call.
    static void ShapeDataChanged();

    // The box of the geometry of the shape an explorer listed this one from;
    // null for a shape not listed from another. What is shown of an edge
    // stays inside it: a damaged file can give an edge whose curve strays
    // thousands of units from its faces, and the edge alone cannot tell.
    static std::shared_ptr<const Bnd_Box> GetEnclosure(const KTopoShape* handle);
    static void SetEnclosure(KTopoShape* handle, std::shared_ptr<const Bnd_Box> box);

private:
    TopoDS_Shape shape;
    std::shared_ptr<const ShapeAttributes> attributes;
    std::shared_ptr<const ValidityVerdict> validity;
    std::shared_ptr<const Bnd_Box> enclosure;
};

} // namespace KorrCore
