#include <KorrGeomCore/TopoShape/KBrepTools.h>

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>

#include <string>

#include "Internal/Core/Frame.h"
#include "Library/TopoShape/SplineFit.h"

namespace KorrCore {

namespace {

// Fewer than two points make no curve; a null array is refused rather than read.
bool UsablePoints(const KMath::Vector3* points, int count)
{
    if (points == nullptr)
        return Fails(KOutcomeCode::InvalidArgument, "points must not be null");
    return count >= 2 || Fails(KOutcomeCode::InvalidArgument, "count must be at least 2, got " + std::to_string(count));
}

enum class Closure { Open, Closed };

ShapePtr PolygonWire(const KMath::Vector3* points, int count, Closure closure)
{
    return Framed([&]() -> ShapePtr {
        if (!UsablePoints(points, count))
            return nullptr;
        // The kernel skips a point equal to the one before it.
        BRepBuilderAPI_MakePolygon polygon;
        for (int i = 0; i < count; ++i)
            polygon.Add(ToPnt(points[i], "each point"));
        if (closure == Closure::Closed)
            polygon.Close();
        if (!polygon.IsDone())
            return Refused(KOutcomeCode::InvalidArgument, "the points must not all coincide");
        return WrapShape(polygon.Shape());
    });
}

} // namespace

ShapePtr KBrepTools::MakePolyline(KMath::Vector3* points, int count)
{
    return PolygonWire(points, count, Closure::Open);
}

ShapePtr KBrepTools::MakePolygon(KMath::Vector3* points, int count)
{
    return PolygonWire(points, count, Closure::Closed);
}

ShapePtr KBrepTools::MakeSpline(KMath::Vector3* points, int count)
{
    return Framed([&]() -> ShapePtr {
        if (!UsablePoints(points, count))
            return nullptr;
        const Handle(Geom_Curve) spline = InterpolatingSpline(points, count);
        return WrapShape(BRepBuilderAPI_MakeEdge(spline).Shape()); // raises when not done
    });
}

} // namespace KorrCore
