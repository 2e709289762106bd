#include "TopoExplor/WholeShapeMeshing.h"

#include <BRepBndLib.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRepTools.hxx>
#include <Bnd_Box.hxx>

#include <algorithm>

#include "Core/MeshPreconditions.h"
#include "Core/MeshingWatch.h"

namespace KorrCore {

namespace {

constexpr double kViewerDeviationCoefficient = 0.004;
constexpr double kViewerFallbackDeflection = 1e-4;

// The longest side of the finite part of the shape's bounding box; 0 when it
// has none.
double LongestSide(const TopoDS_Shape& shape)
{
    Bnd_Box box;
    BRepBndLib::Add(shape, box, Standard_False);
    if (box.IsOpen() && box.HasFinitePart())
        box = box.FinitePart();
    if (box.IsVoid() || box.IsOpen())
        return 0.0;
    double xMin, yMin, zMin, xMax, yMax, zMax;
    box.Get(xMin, yMin, zMin, xMax, yMax, zMax);
    return std::max({xMax - xMin, yMax - yMin, zMax - zMin});
}

} // namespace

double DeflectionFromSize(const TopoDS_Shape& shape)
{
    const double side = LongestSide(shape);
    return side > 0.0 ? kViewerDeviationCoefficient * side : kViewerFallbackDeflection;
}

bool MeshWholeShape(const TopoDS_Shape& shape, const MeshSettings& settings, HostProgress& host)
{
    // A relative deflection differs from face to face; only the mesher knows
    // whether an existing triangulation meets it.
    if (!settings.relative && BRepTools::Triangulation(shape, settings.deflection))
        return true;
    IMeshTools_Parameters parameters;
    parameters.Deflection = settings.deflection;
    parameters.Angle = settings.angle;
    parameters.Relative = settings.relative;
    parameters.InParallel = settings.parallel;
    const TopoDS_Shape meshable = MeshableFaces(shape);
    return MeshWatched(meshable, CountFaces(meshable), host, [&](const Message_ProgressRange& range) {
        const BRepMesh_IncrementalMesh mesher(meshable, parameters, range);
    });
}

double LinearDeflection(const TopoDS_Shape& shape, const MeshSettings& settings)
{
    if (!settings.relative)
        return settings.deflection;
    const double side = LongestSide(shape);
    return side > 0.0 ? settings.deflection * side : settings.deflection;
}

} // namespace KorrCore
