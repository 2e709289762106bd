#pragma once

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/Vector3.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// Composite bodies for scene building: bodies laid along a segment, and a shell
// of loose triangles. World up is +Z. Every builder returns a new handle, or a
// null ShapePtr on failure.
//
// The segment builders offset their cross-section sideways by a quarter turn of
// the segment's direction about +Z. That turn keeps the direction's vertical
// share, so the offset is horizontal and at right angles to the segment only
// for a horizontal segment. Null without a report for a segment shorter than
// 0.01 (or with a NaN or infinite end), and where the cross-section would have
// no width across the segment: a vertical segment, a width that is zero or not
// finite.
class KORRGEOMCORE_EXPORT KBrepToolsEx {
public:
    // A box `width` wide, centred on the segment, whose bottom is the
    // quadrilateral through the segment and which rises `height` straight up
    // from it (it does not grow downward). Reports "Failed to make polygon" or
    // "Failed to make face!" when its base cannot be made.
    static ShapePtr MakeBox(const KMath::Vector3& start, const KMath::Vector3& end, double width, double height);
    // A road from start to end. Its cross-section has both edges on the ground
    // half the width to either side, both edges raised to `edgeHeight` and the
    // crown on the centre line at `crownHeight`, both heights above the start.
    // A solid, or with `solid` false only the five side faces (open at both
    // ends). Reports "Failed to create outline!" or, for the solid, "Failed to
    // create face!" when the cross-section cannot be made.
    static ShapePtr MakeRoad(const KMath::Vector3& start, const KMath::Vector3& end, double width, double edgeHeight,
                             double crownHeight, bool solid);
    // A shell of one planar face per three consecutive vertices, not sewn:
    // neighbouring faces share no edges or vertices. A count that is not a
    // multiple of three reports "Invalid vertex count!"; a null array with a
    // non-zero count gives null. A triangle the kernel cannot fill is left out
    // silently, but one whose corners all coincide fails the whole call, as
    // does any coordinate that is NaN, infinite or of magnitude 1e12 or more
    // (beyond the model scale); corners on one line give a face of no area.
    // No triangles give an empty shell.
    static ShapePtr MakeMeshShell(KMath::Vector3* vertices, int count);
};

} // namespace KorrCore
