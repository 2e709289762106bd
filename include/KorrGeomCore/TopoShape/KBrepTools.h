#pragma once

#include <KorrGeomCore/KorrGeomCoreExport.h>
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
};

} // namespace KorrCore
