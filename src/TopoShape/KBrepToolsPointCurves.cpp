#include <KorrGeomCore/TopoShape/KBrepTools.h>

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>

#include "Core/Frame.h"
#include "TopoShape/SplineFit.h"

namespace KorrCore {

namespace {

// Fewer than two points make no curve; a null array is refused rather than read.
bool UsablePoints(const KMath::Vector3* points, int count) { return points != nullptr && count >= 2; }

enum class Closure { Open, Closed };

ShapePtr PolygonWire(const KMath::Vector3* points, int count, Closure closure)
{
    if (!UsablePoints(points, count))
        return nullptr;
    return Guarded([&] {
        // The kernel skips a point equal to the one before it.
        BRepBuilderAPI_MakePolygon polygon;
        for (int i = 0; i < count; ++i)
            polygon.Add(ToPnt(points[i]));
        if (closure == Closure::Closed)
            polygon.Close();
        return WrapShape(polygon.Shape()); // raises when no edge was made
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
    if (!UsablePoints(points, count))
        return nullptr;
    return Guarded([&] {
        const Handle(Geom_Curve) spline = InterpolatingSpline(points, count);
        return WrapShape(BRepBuilderAPI_MakeEdge(spline).Shape()); // raises when not done
    });
}

} // namespace KorrCore
