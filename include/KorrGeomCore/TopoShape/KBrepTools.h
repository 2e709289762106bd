#pragma once

#include <string>

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/KProgressIndicator.h>
#include <KorrGeomCore/Platform/Vector3.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// Builders of shapes. Every builder returns a new handle, or a null ShapePtr on
// failure; kernel failures are silent, argument checks report through KcAssert.
class KORRGEOMCORE_EXPORT KBrepTools {
public:
    // Solid primitives. Directions need not be of unit length; sweep angles are
    // in degrees and anything outside (0, 360) gives the full turn.

    // A solid sphere.
    static ShapePtr MakeSphere(const KMath::Vector3& centre, double radius);
    // The shell of a cylinder (lateral face and caps) standing on the base centre.
    static ShapePtr MakeCylinder(const KMath::Vector3& baseCentre, const KMath::Vector3& axisDirection,
                                 double radius, double height, double angleDegrees);
    // A solid box with one corner at `corner`, laid along the kernel's X and Y
    // directions for `mainDirection` and along `mainDirection` itself.
    static ShapePtr MakeBox(const KMath::Vector3& corner, const KMath::Vector3& mainDirection,
                            const KMath::Vector3& size);
    // The shell of a cone (or truncated cone) standing on the base centre.
    static ShapePtr MakeCone(const KMath::Vector3& baseCentre, const KMath::Vector3& axisDirection,
                             double baseRadius, double height, double topRadius, double angleDegrees);

    // Files in the kernel's BRep text format, exactly as the kernel writes
    // them. Paths are converted with KStringUtil::w2a (UTF-8). The progress
    // indicator is accepted and not used; it may be null.

    // The shape in the file, or a null ShapePtr for a missing, unreadable,
    // damaged or truncated file. Never reports.
    static ShapePtr ReadBrepFile(const std::wstring& path, KProgressIndicator* progress);
    // Writes one shape. A null handle, or one holding no kernel shape, reports
    // "NULL TopoShape!" and writes nothing. A failed save leaves any existing
    // file as it was.
    static bool SaveBrepFile(ShapePtr shape, const std::wstring& path, KProgressIndicator* progress);
    // Writes one compound of the list's shapes in list order; each null entry
    // (or entry holding no kernel shape) reports "NULL TopoShape!" and is left
    // out. Reading the file back gives that compound.
    static bool SaveBrepFile(const ShapeList& shapes, const std::wstring& path, KProgressIndicator* progress);
};

} // namespace KorrCore
