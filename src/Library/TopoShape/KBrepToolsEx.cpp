#include <KorrGeomCore/Platform/Math.h>
#include <KorrGeomCore/Platform/Matrix3.h>
#include <KorrGeomCore/TopoShape/KBrepTools.h>
#include <KorrGeomCore/TopoShape/KBrepToolsEx.h>
#include <KorrGeomCore/TopoShape/KFeatureTools.h>

#include <BRepBuilderAPI_MakePolygon.hxx>
#include <Precision.hxx>

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "Internal/Core/Frame.h"
#include "Library/TopoShape/FaceShell.h"
#include "Library/TopoShape/WireFace.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoShape/KBrepToolsEx";

// Below this a segment gives no direction worth laying a body along.
constexpr double kMinimumSegmentLength = 0.01;

struct Segment {
    KMath::Vector3 direction; // unit length
    double length = 0.0;
    KMath::Vector3 sideOffset; // half the width, to one side
};

// The segment and the offset from it to one side of a cross-section `width`
// wide. The side is the direction turned a quarter about world up; the turn
// keeps the direction's vertical share, so the side is level only for a level
// segment. Gives nothing for a short segment, one with a NaN or infinite end,
// and one whose cross-section would collapse onto a line.
std::optional<Segment> SideOffset(const KMath::Vector3& start, const KMath::Vector3& end, double width)
{
    Segment segment;
    segment.direction = end - start;
    segment.length = segment.direction.length();
    if (!(std::isfinite(segment.length) && segment.length >= kMinimumSegmentLength)) {
        SetOutcome(KOutcomeCode::InvalidArgument,
                   "start and end must be at least 0.01 apart, got " + Shown(start) + " and " + Shown(end));
        return std::nullopt;
    }
    segment.direction.normalise();

    KMath::Matrix3 quarterTurn = KMath::Matrix3::IDENTITY;
    quarterTurn.FromAxisAngle(KMath::Vector3::UNIT_Z, KMath::Radian(KMath::Math::HALF_PI));
    KMath::Vector3 side = quarterTurn * segment.direction;
    side.normalise();
    segment.sideOffset = side * (width * 0.5);

    // A vertical segment turns into itself, and a zero width offsets nothing
    // (a NaN or infinite one nothing usable): the cross-section then has no
    // extent across the segment. The kernel still fills such a flat outline
    // and sweeps it, into a body of no volume that fails its own validity
    // check, so it is refused here.
    const double halfWidthAcross = segment.sideOffset.crossProduct(segment.direction).length();
    if (!(halfWidthAcross > Precision::Confusion())) {
        SetOutcome(KOutcomeCode::InvalidArgument, "width must be finite and not 0 across a segment that is not "
                                                  "vertical, got width " +
                                                      Shown(width) + " from " + Shown(start) + " to " + Shown(end));
        return std::nullopt;
    }
    return segment;
}

// The face filling one triangle, or a null face when the kernel cannot fill
// it. Raises when the corners give no edge at all (taking the outline), and
// for corners near the kernel's infinity.
TopoDS_Face TriangleFace(const KMath::Vector3* corners)
{
    BRepBuilderAPI_MakePolygon outline;
    for (int i = 0; i < 3; ++i)
        outline.Add(ToPnt(corners[i], "each vertex"));
    outline.Close();
    return FillWire(outline.Wire());
}

} // namespace

// The builders below call the library's public builders and operations, each
// of which guards its own kernel work and leaves its outcome, so they need no
// frame of their own: what the last of them says, or the segment's refusal,
// is the outcome.

ShapePtr KBrepToolsEx::MakeBox(const KMath::Vector3& start, const KMath::Vector3& end, double width, double height)
{
    const std::optional<Segment> segment = SideOffset(start, end, width);
    if (!segment)
        return nullptr;
    const KMath::Vector3& side = segment->sideOffset;
    std::array<KMath::Vector3, 4> corners{start + side, start - side, end - side, end + side};

    const ShapePtr base = KBrepTools::MakePolygon(corners.data(), static_cast<int>(corners.size()));
    if (!KORR_CHECK(base, "Failed to make polygon"))
        return nullptr;
    const ShapePtr face = KBrepTools::MakeFace(base);
    if (!KORR_CHECK(face, "Failed to make face!"))
        return nullptr;
    return KFeatureTools::Extrude(face, height, KMath::Vector3::UNIT_Z);
}

ShapePtr KBrepToolsEx::MakeRoad(const KMath::Vector3& start, const KMath::Vector3& end, double width, double edgeHeight,
                                double crownHeight, bool solid)
{
    const std::optional<Segment> segment = SideOffset(start, end, width);
    if (!segment)
        return nullptr;
    const KMath::Vector3& side = segment->sideOffset;
    const KMath::Vector3 edgeRise = KMath::Vector3::UNIT_Z * edgeHeight;
    std::array<KMath::Vector3, 5> corners{start + side, start - side, start - side + edgeRise,
                                          start + KMath::Vector3::UNIT_Z * crownHeight, start + side + edgeRise};

    const ShapePtr outline = KBrepTools::MakePolygon(corners.data(), static_cast<int>(corners.size()));
    if (!KORR_CHECK(outline, "Failed to create outline!"))
        return nullptr;
    // Sweeping the outline itself gives the side faces alone, without ends.
    if (!solid)
        return KFeatureTools::Extrude(outline, segment->length, segment->direction);
    const ShapePtr face = KBrepTools::MakeFace(outline);
    if (!KORR_CHECK(face, "Failed to create face!"))
        return nullptr;
    return KFeatureTools::Extrude(face, segment->length, segment->direction);
}

ShapePtr KBrepToolsEx::MakeMeshShell(KMath::Vector3* vertices, int count)
{
    // The frame spans the whole loop: a triangle that raises (all corners
    // coinciding, or corners infinite or near it) ends the call with null,
    // whereas one the kernel merely cannot fill is left out.
    return Framed([&]() -> ShapePtr {
        if (!KORR_CHECK_WHY(count % 3 == 0, "Invalid vertex count!", InvalidArgument,
                            "count must be a multiple of 3, got " + std::to_string(count)))
            return nullptr;
        if (vertices == nullptr && count != 0)
            return Refused(KOutcomeCode::InvalidArgument, "vertices must not be null when count is not 0");
        FaceShell shell;
        for (int triangle = 0; triangle < count / 3; ++triangle) {
            const TopoDS_Face face = TriangleFace(vertices + 3 * triangle);
            if (!face.IsNull())
                shell.Add(face);
        }
        return WrapShape(shell.Shell());
    });
}

} // namespace KorrCore
