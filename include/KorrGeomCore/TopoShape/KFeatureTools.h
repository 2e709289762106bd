#pragma once

#include <cstdint>

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/Matrix4.h>
#include <KorrGeomCore/Platform/Quaternion.h>
#include <KorrGeomCore/Platform/Vector3.h>
#include <KorrGeomCore/TopoShape/KPipeShellParam.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// The operation of KFeatureTools::Boolean.
enum KBooleanOp : std::int32_t {
    BooleanFuse = 0,   // union
    BooleanCommon = 1, // intersection
    BooleanCut = 2,    // the first shape minus the second
};

// Modelling operations. Each returns a new handle and leaves its arguments
// untouched, except the ...Inplace transforms, which replace the shape held by
// the argument (seen through every copy of its handle) and return a success
// flag. A null ShapePtr, or a handle holding no shape, gives a null result (or
// false) without a report; so does every kernel failure. Only the checks named
// below report through KcAssert.
class KORRGEOMCORE_EXPORT KFeatureTools {
public:
    // Sweeps the profile along direction * length; the direction is not
    // normalised, so the sweep distance is |direction| * length. A zero, NaN or
    // infinite sweep vector gives null.
    static ShapePtr Extrude(ShapePtr profile, double length, const KMath::Vector3& direction);
    // Turns the profile about the axis by angle radians. Angles outside
    // [0.01, 2*pi] give the full turn. When the kernel declines the profile
    // without an error (a profile crossing the axis, for instance), the result
    // is a handle whose IsNull() is true.
    static ShapePtr Revol(ShapePtr profile, const KMath::Vector3& axisPoint, const KMath::Vector3& axisDirection,
                          double angle);

    // Fuses, intersects or subtracts; an empty result comes back as an empty
    // compound. An operation value outside KBooleanOp reports
    // "Invalid Boolean type!".
    static ShapePtr Boolean(ShapePtr first, ShapePtr second, KBooleanOp operation);
    // The curve along which the two shapes meet, as one wire; null when they do
    // not meet or their section is not one connected wire.
    static ShapePtr SurfaceSection(ShapePtr first, ShapePtr second);

    // Rounds every edge of a solid, shell or compound, or every corner of a
    // planar face, with one radius. Null for other kinds of shape and whenever
    // the kernel's result does not pass its own validity check.
    static ShapePtr Fillet(ShapePtr shape, double radius);
    // Bevels every edge; the first distance is measured on the first face the
    // kernel lists for the edge, the second on the other face. Null when the
    // result does not pass the kernel's validity check.
    static ShapePtr Chamfer(ShapePtr shape, double firstDistance, double secondDistance);
    // The same for the listed edges of a solid, shell or compound only (as
    // KTopoEdgeExplor lists them from the shape). An empty list, a null entry
    // or an edge the shape does not hold is refused as an invalid argument.
    static ShapePtr FilletEdges(ShapePtr shape, double radius, const ShapeList& edges);
    static ShapePtr ChamferEdges(ShapePtr shape, double firstDistance, double secondDistance, const ShapeList& edges);

    // Skins a smooth shape through the sections (edges or wires) in list order:
    // a shell, or a closed solid when solid is true. Null entries report
    // "NULL Shape", other kinds "Not Edge or Wire!"; both are skipped, and fewer
    // than two usable sections give null.
    static ShapePtr MakeLoft(const ShapeList& sections, bool solid);
    // Sweeps the profiles along the spine; the result is a closed solid, or
    // null when the sweep cannot be closed. A missing auxiliary shape in modes
    // ModeSpineSupport and ModeAuxiliarySpine, an empty profile list and each
    // null profile are reported with an empty message; null profiles are
    // skipped.
    static ShapePtr MakePipeShell(const KPipeShellParam& parameters);

    // Uniform scaling about the centre.
    static ShapePtr Scale(ShapePtr shape, const KMath::Vector3& centre, double factor);
    // Rotation about an axis through the world origin.
    static ShapePtr Rotation(ShapePtr shape, const KMath::Quaternion& rotation);
    // Rotation about the axis through axisPoint; the angle is in degrees.
    static ShapePtr Rotation(ShapePtr shape, const KMath::Vector3& axisPoint, const KMath::Vector3& axisDirection,
                             double angleDegrees);
    // The shape moved by offset.
    static ShapePtr Translate(ShapePtr shape, const KMath::Vector3& offset);
    // The affine transform held by the upper three rows of the matrix (row-major,
    // translation in the fourth column; the fourth row is ignored). Its 3x3 block
    // must be a rotation, possibly with a reflection, times a uniform scale:
    // other matrices (shears, non-uniform scales, singular ones) give null.
    static ShapePtr Transform(ShapePtr shape, const KMath::Matrix4& matrix);
    // The half turn about the line through the two points (not a reflection in a
    // plane): each point goes to its image on the other side of the line.
    static ShapePtr MakeMirror(ShapePtr shape, const KMath::Vector3& firstAxisPoint,
                               const KMath::Vector3& secondAxisPoint);

    // In-place forms: the shape is replaced for every copy of the handle; on
    // failure it stays as it was and the result is false.
    static bool ScaleInplace(ShapePtr shape, const KMath::Vector3& centre, double factor);
    static bool RotationInplace(ShapePtr shape, const KMath::Quaternion& rotation);
    static bool TranslateInplace(ShapePtr shape, const KMath::Vector3& offset);
};

} // namespace KorrCore
