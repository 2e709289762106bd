#include "Library/TopoExplor/WholeShapeMeshing.h"

#include <BRepBndLib.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRepTools.hxx>
#include <Bnd_Box.hxx>

#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <IMeshData_Status.hxx>
#include <Message_ProgressScope.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>

#include <algorithm>
#include <string>
#include <vector>

#include "Internal/Core/MeshEstimate.h"
#include "Internal/Core/MeshPreconditions.h"
#include "Internal/Platform/Outcome.h"
#include "Library/Core/MeshBudget.h"
#include "Library/Core/MeshingWatch.h"

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

int BareFaces(const TopoDS_Shape& shape)
{
    int bare = 0;
    for (TopExp_Explorer faces(shape, TopAbs_FACE); faces.More(); faces.Next()) {
        TopLoc_Location location;
        bare += BRep_Tool::Triangulation(TopoDS::Face(faces.Current()), location).IsNull() ? 1 : 0;
    }
    return bare;
}

// The shape itself when it has few faces, else its distinct faces in
// compounds of kFacesPerMeshingBatch. A later batch takes the polygons an
// earlier one left on the edges they share, so the triangulations come out as
// they would in one call.
std::vector<TopoDS_Shape> FaceBatches(const TopoDS_Shape& shape)
{
    TopTools_IndexedMapOfShape faces;
    TopExp::MapShapes(shape, TopAbs_FACE, faces);
    if (faces.Extent() <= kFacesPerMeshingBatch)
        return {shape};
    std::vector<TopoDS_Shape> batches;
    BRep_Builder builder;
    for (int first = 1; first <= faces.Extent(); first += kFacesPerMeshingBatch) {
        TopoDS_Compound batch;
        builder.MakeCompound(batch);
        for (int f = first; f < first + kFacesPerMeshingBatch && f <= faces.Extent(); ++f)
            builder.Add(batch, faces(f));
        batches.push_back(batch);
    }
    return batches;
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
    const double linear = LinearDeflection(shape, settings);
    const TopoDS_Shape meshable = MeshableFaces(shape, linear, settings.angle);
    if (!WithinMeshingBudget(meshable, linear, settings.angle, settings.maxTriangles))
        return false;
    Standard_Integer status = IMeshData_NoError;
    if (!MeshWatched(meshable, CountFaces(meshable), host, [&](const Message_ProgressRange& range) {
            const std::vector<TopoDS_Shape> batches = FaceBatches(meshable);
            Message_ProgressScope scope(range, nullptr, static_cast<double>(batches.size()));
            for (std::size_t b = 0; b < batches.size() && scope.More(); ++b) {
                const BRepMesh_IncrementalMesh mesher(batches[b], parameters, scope.Next());
                status |= mesher.GetStatusFlags();
            }
        }))
        return false;
    // The mesher catches what goes wrong on a face, running out of memory
    // included, and goes on with the next: the face is left bare, which must
    // not pass for a success. Faces it skips for their open or crossing wires
    // are left bare by design, as damaged faces are.
    const int bare = BareFaces(meshable);
    if (bare == 0 || !(status & IMeshData_Failure))
        return true;
    BRepTools::Clean(meshable);
    return Fails(KOutcomeCode::KernelFailed, "the kernel's mesher failed on " + std::to_string(bare) + " of " +
                                                 std::to_string(CountFaces(meshable)) + " faces",
                 "a failure on a face, such as memory running out, is caught by the mesher itself");
}

double LinearDeflection(const TopoDS_Shape& shape, const MeshSettings& settings)
{
    if (!settings.relative)
        return settings.deflection;
    const double side = LongestSide(shape);
    return side > 0.0 ? settings.deflection * side : settings.deflection;
}

} // namespace KorrCore
