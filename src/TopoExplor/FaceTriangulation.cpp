#include "TopoExplor/FaceTriangulation.h"

#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Tool.hxx>

#include "Core/MeshBudget.h"
#include "Core/MeshPreconditions.h"
#include "Core/MeshingWatch.h"

namespace KorrCore {

Handle(Poly_Triangulation) MeshFace(const TopoDS_Face& face, double deflection, TopLoc_Location& location)
{
    IMeshTools_Parameters parameters;
    parameters.Deflection = deflection;
    parameters.Angle = 0.5;
    if (!FaceAgreesWithItsEdges(face) || !GridWithinReason(face, parameters.Deflection, parameters.Angle) ||
        !WithinMeshingBudget(face, parameters.Deflection, parameters.Angle, kDefaultMaxTriangles))
        return nullptr;
    HostProgress noHost(nullptr);
    if (!MeshWatched(face, 1, noHost, [&](const Message_ProgressRange& range) {
            const BRepMesh_IncrementalMesh mesher(face, parameters, range);
        }))
        return nullptr;
    return BRep_Tool::Triangulation(face, location);
}

} // namespace KorrCore
