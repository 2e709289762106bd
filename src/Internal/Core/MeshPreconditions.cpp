#include "Internal/Core/MeshPreconditions.h"

#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <BndLib_AddSurface.hxx>
#include <Bnd_Box.hxx>
#include <BndLib_Add2dCurve.hxx>
#include <Bnd_Box2d.hxx>
#include <GCPnts_TangentialDeflection.hxx>
#include <Geom2d_Curve.hxx>
#include <Geom_BSplineCurve.hxx>
#include <Geom_Curve.hxx>
#include <Precision.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Vertex.hxx>
#include <TopoDS.hxx>

#include <algorithm>
#include <cmath>
#include <vector>

#include "Internal/Core/KernelValues.h"

namespace KorrCore {

namespace {

// About 4500 times the spacing of doubles near a coordinate: a deflection
// above this share of the coordinates stays clear of their rounding noise.
constexpr double kResolvableShare = 1e-12;

// The largest coordinate of the shape's vertices, placed by their locations;
// a cheap stand-in for the extent of its geometry.
double LargestVertexCoordinate(const TopoDS_Shape& shape)
{
    double largest = 0.0;
    for (TopExp_Explorer vertices(shape, TopAbs_VERTEX); vertices.More(); vertices.Next()) {
        const gp_Pnt point = BRep_Tool::Pnt(TopoDS::Vertex(vertices.Current()));
        largest = std::max({largest, std::abs(point.X()), std::abs(point.Y()), std::abs(point.Z())});
    }
    return largest;
}

} // namespace

bool MeetableDeflection(double deflection, const TopoDS_Shape& shape)
{
    if (std::isnan(deflection))
        return false;
    const double largest = LargestVertexCoordinate(shape);
    if (!(largest < kLargestModelMagnitude))
        return false;
    return deflection <= 0.0 || deflection > kResolvableShare * largest;
}

namespace {

// Where an edge's curve on the face may stray from its curve in space: far
// beyond its tolerance, which real files keep within it. Damaged parameter
// curves run off by orders of magnitude more.
constexpr double kStrayTolerances = 100.0;
// Nor, for an edge shown on its own, by more than this share of its size,
// whatever its tolerance says.
constexpr double kStraySize = 0.5;
// How much larger than its boundary the surface patch of a face may be. Real
// B-spline patches bulge a few times their edges' extent at most; a pole
// moved far away makes the mesher chase the bulge without end.
constexpr double kLargestBulge = 1000.0;
// The most nodes a face's grid may have: far more than any display needs, and
// well below the memory that would stop a host.
constexpr double kLargestGrid = 1e7;

// A curve that repeats covers its edge within a period, and the kernel's own
// repairs leave a little more; a range of many periods winds the edge round
// and round, as a damaged range has it, and the sampler and the mesher follow
// every turn until memory runs out.
constexpr double kMostTurns = 2.0;

template <class Curve> bool WithinTurns(const Curve& curve, double first, double last)
{
    return curve.IsNull() || !curve->IsPeriodic() || last - first <= kMostTurns * curve->Period();
}

// The edge's curve in space and its curves on surfaces each stay within a few
// of their periods.
bool RangeWithinTurns(const TopoDS_Edge& edge)
{
    Standard_Real first, last;
    TopLoc_Location location;
    const Handle(Geom_Curve) inSpace = BRep_Tool::Curve(edge, location, first, last);
    if (!WithinTurns(inSpace, first, last))
        return false;
    Handle(Geom2d_Curve) onSurface;
    Handle(Geom_Surface) surface;
    for (int representation = 1;; ++representation) {
        BRep_Tool::CurveOnSurface(edge, onSurface, surface, location, first, last, representation);
        if (onSurface.IsNull())
            return true;
        if (!WithinTurns(onSurface, first, last))
            return false;
    }
}

// The parameters a curve on a surface covers; false when it covers none.
bool ParameterBox(const Handle(Geom2d_Curve)& onSurface, double first, double last, double& uLow, double& vLow,
                  double& uHigh, double& vHigh)
{
    Bnd_Box2d parameters;
    BndLib_Add2dCurve::Add(onSurface, first, last, 0.0, parameters);
    if (parameters.IsVoid())
        return false;
    parameters.Get(uLow, vLow, uHigh, vHigh);
    return true;
}

// An edge with no curve in space (a degenerated one, at a sphere's pole or a
// cone's apex) is drawn from its curve on the face alone, and nothing checks
// that curve against another: it must not wind round a periodic surface more
// than a few times either. At a pole it goes round once.
bool WindsWithinTurns(const Handle(Geom2d_Curve)& onFace, double first, double last,
                      const Handle(Geom_Surface)& surface)
{
    double uLow, vLow, uHigh, vHigh;
    if ((!surface->IsUPeriodic() && !surface->IsVPeriodic()) ||
        !ParameterBox(onFace, first, last, uLow, vLow, uHigh, vHigh))
        return true;
    return (!surface->IsUPeriodic() || uHigh - uLow <= kMostTurns * surface->UPeriod()) &&
           (!surface->IsVPeriodic() || vHigh - vLow <= kMostTurns * surface->VPeriod());
}

// The range stored with the edge's curve on the face (its own range when none
// is stored); read, never computed, as the mesher will project curves onto
// planes itself.
bool RangeAgrees(const TopoDS_Edge& edge, const TopoDS_Face& face)
{
    if (!BRep_Tool::SameRange(edge))
        return true;
    Standard_Real first, last, onFaceFirst, onFaceLast;
    BRep_Tool::Range(edge, first, last);
    BRep_Tool::Range(edge, face, onFaceFirst, onFaceLast);
    const double tolerance = 1e-9 * (1.0 + std::abs(first) + std::abs(last));
    return std::abs(onFaceFirst - first) <= tolerance && std::abs(onFaceLast - last) <= tolerance;
}

// Where along an edge its curves are compared, as shares of its range: the
// ends, and the middle when the edge's flag says its curves share their
// parametrization; for a closer look, the quarters too (a circle tilted about
// a diameter still meets its curve on the face at both ends and the middle),
// and the middle of every piece of a piecewise curve, whose damage stays local
// to the pieces it touches.
std::vector<double> ComparedShares(const TopoDS_Edge& edge, const Geom_Curve& curve, double first, double last,
                                   bool closely)
{
    std::vector<double> shares{0.0, 1.0};
    if (!BRep_Tool::SameParameter(edge))
        return shares;
    shares.push_back(0.5);
    if (!closely)
        return shares;
    shares.insert(shares.end(), {0.25, 0.75});
    const auto* pieces = dynamic_cast<const Geom_BSplineCurve*>(&curve);
    if (!pieces || !(last > first))
        return shares;
    for (int knot = pieces->FirstUKnotIndex(); knot < pieces->LastUKnotIndex(); ++knot) {
        const double middle = 0.5 * (pieces->Knot(knot) + pieces->Knot(knot + 1));
        if (first < middle && middle < last)
            shares.push_back((middle - first) / (last - first));
    }
    return shares;
}

double Diagonal(const Bnd_Box& box) { return box.IsVoid() ? 0.0 : std::sqrt(box.SquareExtent()); }

// The size of the edge on a surface: the box of its curve there, carried onto
// the surface, at five points (so that a closed edge has one too).
double ExtentOnSurface(const Handle(Geom2d_Curve)& onSurface, double first, double last,
                       const Handle(Geom_Surface)& surface, const TopLoc_Location& surfaceLocation)
{
    Bnd_Box extent;
    for (const double share : {0.0, 0.25, 0.5, 0.75, 1.0}) {
        const gp_Pnt2d uv = onSurface->Value(first + share * (last - first));
        extent.Add(surface->Value(uv.X(), uv.Y()).Transformed(surfaceLocation.Transformation()));
    }
    return Diagonal(extent);
}

// The edge's curve on a surface, carried onto the surface, meets its curve in
// space where ComparedShares says. Looked at closely, it must also meet it
// within a share of its size on the surface: a translator's repair widens the
// tolerance of a damaged edge until its stray curve counts as meeting.
bool CurvesMeet(const TopoDS_Edge& edge, const Handle(Geom2d_Curve)& onSurface, double onSurfaceFirst,
                double onSurfaceLast, const Handle(Geom_Surface)& surface, const TopLoc_Location& surfaceLocation,
                bool closely)
{
    if (BRep_Tool::Degenerated(edge))
        return true;
    Standard_Real first, last;
    TopLoc_Location location;
    const Handle(Geom_Curve) curve = BRep_Tool::Curve(edge, location, first, last);
    if (curve.IsNull())
        return true;
    double stray = kStrayTolerances * BRep_Tool::Tolerance(edge);
    if (closely)
        stray = std::min(stray, kStraySize * ExtentOnSurface(onSurface, onSurfaceFirst, onSurfaceLast, surface,
                                                             surfaceLocation));
    for (const double share : ComparedShares(edge, *curve, first, last, closely)) {
        const gp_Pnt inSpace = curve->Value(first + share * (last - first)).Transformed(location.Transformation());
        const gp_Pnt2d uv = onSurface->Value(onSurfaceFirst + share * (onSurfaceLast - onSurfaceFirst));
        const gp_Pnt onSurfacePoint = surface->Value(uv.X(), uv.Y()).Transformed(surfaceLocation.Transformation());
        if (!(onSurfacePoint.Distance(inSpace) <= stray))
            return false;
    }
    return true;
}

// Whether the parameters [low, high] stay near a surface's range [first,
// last] in one direction: within one width of it where the surface ends,
// anywhere where it is periodic. An unbounded direction is left to the
// surface's reach.
bool NearRange(double low, double high, double first, double last, bool periodic)
{
    if (periodic || Precision::IsInfinite(first) || Precision::IsInfinite(last))
        return true;
    const double width = last - first;
    return first - width <= low && high <= last + width;
}

// The curve on the face stays on the surface's parameter range, and where the
// surface has none, its parameters do not lead the surface out of `reach`.
bool CurveStaysOnSurface(const Handle(Geom2d_Curve)& onFace, double onFaceFirst, double onFaceLast,
                         const BRepAdaptor_Surface& surface, const Bnd_Box& reach)
{
    double uLow, vLow, uHigh, vHigh;
    if (!ParameterBox(onFace, onFaceFirst, onFaceLast, uLow, vLow, uHigh, vHigh))
        return true;
    const Handle(Geom_Surface)& geometry = surface.Surface().Surface();
    double uFirst, uLast, vFirst, vLast;
    geometry->Bounds(uFirst, uLast, vFirst, vLast);
    if (!NearRange(uLow, uHigh, uFirst, uLast, geometry->IsUPeriodic()) ||
        !NearRange(vLow, vHigh, vFirst, vLast, geometry->IsVPeriodic()))
        return false;
    for (const double u : {uLow, uHigh})
        for (const double v : {vLow, vHigh})
            if (reach.IsOut(surface.Value(std::clamp(u, uFirst, uLast), std::clamp(v, vFirst, vLast))))
                return false;
    return true;
}

// Whether the edge has a vertex at each end. The mesher leaves the curve of an
// edge without one unsampled, then reads its first sample on the face
// regardless whenever the edge's curves do not share their parameters: a null
// dereference.
bool HasBothEnds(const TopoDS_Edge& edge)
{
    TopoDS_Vertex start, end;
    TopExp::Vertices(edge, start, end);
    return !start.IsNull() && !end.IsNull();
}

} // namespace

bool FaceAgreesWithItsEdges(const TopoDS_Face& face)
{
    for (TopExp_Explorer edges(face, TopAbs_EDGE); edges.More(); edges.Next()) {
        const TopoDS_Edge& edge = TopoDS::Edge(edges.Current());
        if (!HasBothEnds(edge) || !RangeAgrees(edge, face) || !RangeWithinTurns(edge))
            return false;
    }
    if (BRep_Tool::Surface(face).IsNull())
        return true;

    Bnd_Box boundary;
    for (TopExp_Explorer edges(face, TopAbs_EDGE); edges.More(); edges.Next())
        BRepBndLib::Add(edges.Current(), boundary, Standard_False);
    if (boundary.IsVoid())
        return true;
    Bnd_Box reach = boundary;
    reach.Enlarge(kLargestBulge * std::max(Diagonal(boundary), Precision::Confusion()));

    const BRepAdaptor_Surface surface(face, Standard_False);
    TopLoc_Location surfaceLocation;
    const Handle(Geom_Surface)& geometry = BRep_Tool::Surface(face, surfaceLocation);
    for (TopExp_Explorer edges(face, TopAbs_EDGE); edges.More(); edges.Next()) {
        const TopoDS_Edge& edge = TopoDS::Edge(edges.Current());
        Standard_Real first, last;
        const Handle(Geom2d_Curve) onFace = BRep_Tool::CurveOnSurface(edge, face, first, last);
        if (onFace.IsNull())
            continue;
        TopLoc_Location curveLocation;
        Standard_Real curveFirst, curveLast;
        if (BRep_Tool::Curve(edge, curveLocation, curveFirst, curveLast).IsNull() &&
            !(CurveStaysOnSurface(onFace, first, last, surface, reach) &&
              WindsWithinTurns(onFace, first, last, geometry)))
            return false;
        if (BRep_Tool::Degenerated(edge))
            continue;
        if (!CurveStaysOnSurface(onFace, first, last, surface, reach) ||
            !CurvesMeet(edge, onFace, first, last, geometry, surfaceLocation, /*closely=*/false))
            return false;
    }

    // The patch the mesher will cover, over the parameter range of the edges.
    Bnd_Box patch;
    BndLib_AddSurface::Add(BRepAdaptor_Surface(face), 0.0, patch);
    return !(Diagonal(patch) > kLargestBulge * std::max(Diagonal(boundary), Precision::Confusion()));
}

bool EdgeAgreesWithItsCurves(const TopoDS_Edge& edge)
{
    if (!RangeWithinTurns(edge))
        return false;
    Handle(Geom2d_Curve) onSurface;
    Handle(Geom_Surface) surface;
    TopLoc_Location surfaceLocation;
    Standard_Real first, last;
    for (int representation = 1;; ++representation) {
        BRep_Tool::CurveOnSurface(edge, onSurface, surface, surfaceLocation, first, last, representation);
        if (onSurface.IsNull())
            return true;
        if (!CurvesMeet(edge, onSurface, first, last, surface, surfaceLocation, /*closely=*/true))
            return false;
    }
}

bool GridWithinReason(const TopoDS_Face& face, double deflection, double angle)
{
    const BRepAdaptor_Surface surface(face, Standard_False);
    if (surface.GetType() != GeomAbs_Cone)
        return true;
    double uFirst, uLast, vFirst, vLast;
    BRepTools::UVBounds(face, uFirst, uLast, vFirst, vLast);
    const gp_Cone cone = surface.Cone();
    const double radius = std::max(std::abs(cone.RefRadius() + vFirst * std::sin(cone.SemiAngle())),
                                   std::abs(cone.RefRadius() + vLast * std::sin(cone.SemiAngle())));
    const double step = GCPnts_TangentialDeflection::ArcAngularStep(radius, deflection, angle, 0.0);
    const double rows = (uLast - uFirst) / step;
    const double columns = rows * (vLast - vFirst) / ((uLast - uFirst) * radius);
    return rows * columns <= kLargestGrid;
}

TopoDS_Shape MeshableFaces(const TopoDS_Shape& shape, double deflection, double angle)
{
    TopoDS_Compound meshable;
    BRep_Builder builder;
    builder.MakeCompound(meshable);
    bool everyFace = true;
    for (TopExp_Explorer faces(shape, TopAbs_FACE); faces.More(); faces.Next()) {
        const TopoDS_Face& face = TopoDS::Face(faces.Current());
        if (FaceAgreesWithItsEdges(face) && GridWithinReason(face, deflection, angle))
            builder.Add(meshable, faces.Current());
        else
            everyFace = false;
    }
    return everyFace ? shape : meshable;
}

} // namespace KorrCore
