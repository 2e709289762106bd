#include <KorrGeomCore/TopoShape/KBrepTools.h>

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <Geom_TrimmedCurve.hxx>
#include <gp_Ax2.hxx>
#include <gp_Circ.hxx>
#include <gp_Elips.hxx>

#include "Internal/Core/Frame.h"

namespace KorrCore {

namespace {

// The kernel places the conic's start (and the ellipse's major axis) on the X
// direction it derives from the normal; the caller cannot choose it. A zero
// normal raises here.
gp_Ax2 ConicPlacement(const KMath::Vector3& centre, const KMath::Vector3& normal)
{
    return gp_Ax2(ToPnt(centre, "centre"), ToDir(normal, "normal"));
}

// A full circle or ellipse comes back as a wire of its one closed edge, ready to
// be filled or swept.
template <class Conic>
ShapePtr ClosedConicWire(const Conic& conic)
{
    BRepBuilderAPI_MakeEdge edge(conic);
    if (!edge.IsDone())
        return Refused(KOutcomeCode::KernelFailed, "the kernel could not make an edge of the curve");
    return WrapShape(BRepBuilderAPI_MakeWire(edge.Edge()).Shape());
}

// Taking the arc raises when the arc maker failed (collinear points, say).
ShapePtr ArcEdge(const GC_MakeArcOfCircle& arcMaker)
{
    const Handle(Geom_Curve) curve = Handle(Geom_TrimmedCurve)(arcMaker.Value());
    if (curve.IsNull())
        return Refused(KOutcomeCode::InvalidArgument, "the points must make a circular arc, which these do not");
    BRepBuilderAPI_MakeEdge edge(curve);
    if (!edge.IsDone())
        return Refused(KOutcomeCode::KernelFailed, "the kernel could not make an edge of the arc");
    return WrapShape(edge.Edge());
}

} // namespace

ShapePtr KBrepTools::MakeVertex(const KMath::Vector3& position)
{
    return Framed([&] { return WrapShape(BRepBuilderAPI_MakeVertex(ToPnt(position, "position")).Vertex()); });
}

ShapePtr KBrepTools::MakeLine(const KMath::Vector3& start, const KMath::Vector3& end)
{
    return Framed([&]() -> ShapePtr {
        BRepBuilderAPI_MakeEdge edge(ToPnt(start, "start"), ToPnt(end, "end"));
        if (!edge.IsDone())
            return Refused(KOutcomeCode::InvalidArgument,
                           "start and end must be apart, got " + Shown(start) + " and " + Shown(end));
        return WrapShape(edge.Edge());
    });
}

ShapePtr KBrepTools::MakeCircle(const KMath::Vector3& centre, double radius, const KMath::Vector3& normal)
{
    // The kernel raises for a negative radius.
    return Framed([&] { return ClosedConicWire(gp_Circ(ConicPlacement(centre, normal), ToReal(radius, "radius"))); });
}

ShapePtr KBrepTools::MakeEllipse(const KMath::Vector3& centre, double majorRadius, double minorRadius,
                                 const KMath::Vector3& normal)
{
    // The kernel raises for a negative minor radius or one above the major.
    return Framed([&] {
        return ClosedConicWire(gp_Elips(ConicPlacement(centre, normal), ToReal(majorRadius, "majorRadius"),
                                        ToReal(minorRadius, "minorRadius")));
    });
}

ShapePtr KBrepTools::MakeArc(const KMath::Vector3& start, const KMath::Vector3& end, const KMath::Vector3& centre)
{
    return Framed([&]() -> ShapePtr {
        if (start == end)
            return Refused(KOutcomeCode::InvalidArgument, "start and end must differ, got " + Shown(start) + " twice");
        const KMath::Vector3 fromCentre = start - centre;
        // Kept in double: a radius rounded to float would put the arc's start up
        // to about 6e-8 of the radius off `start`, so it would no longer meet the
        // shapes it was drawn to meet.
        const double radius = fromCentre.length();
        KMath::Vector3 normal = fromCentre.crossProduct(end - centre);
        normal.normalise();
        if (normal == KMath::Vector3::ZERO)
            return Refused(KOutcomeCode::InvalidArgument, "start " + Shown(start) + ", end " + Shown(end) +
                                                              " and centre " + Shown(centre) +
                                                              " must not lie on one line");
        const gp_Circ circle(ConicPlacement(centre, normal), ToReal(radius, "the radius"));
        // With sense false the kernel gives the same arc as with true, but its
        // curve runs from `end` back to `start`; that orientation is kept.
        return ArcEdge(GC_MakeArcOfCircle(circle, ToPnt(start, "start"), ToPnt(end, "end"), false));
    });
}

ShapePtr KBrepTools::MakeArc3Pts(const KMath::Vector3& start, const KMath::Vector3& end,
                                 const KMath::Vector3& through)
{
    return Framed([&] {
        return ArcEdge(GC_MakeArcOfCircle(ToPnt(start, "start"), ToPnt(through, "through"), ToPnt(end, "end")));
    });
}

} // namespace KorrCore
