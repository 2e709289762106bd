#include "Library/TopoExplor/FaceTriangulation.h"

#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Tool.hxx>

#include "Internal/Core/Frame.h"
#include "Internal/Core/MeshPreconditions.h"
#include "Library/Core/MeshBudget.h"
#include "Library/Core/MeshingWatch.h"

namespace KorrCore {

Handle(Poly_Triangulation) MeshFace(const TopoDS_Face& face, double deflection, TopLoc_Location& location)
{
    IMeshTools_Parameters parameters;
    parameters.Deflection = deflection;
    parameters.Angle = 0.5;
    if (!FaceAgreesWithItsEdges(face))
        return Refused(KOutcomeCode::InvalidArgument,
                       "the face's edges contradict its surface, as in a damaged file, so it is not meshed");
    if (!GridWithinReason(face, parameters.Deflection, parameters.Angle))
        return Refused(KOutcomeCode::TooLarge, "the mesher's grid on this needle of a cone would be far too large");
    if (!WithinMeshingBudget(face, parameters.Deflection, parameters.Angle, kDefaultMaxTriangles))
        return nullptr;
    HostProgress noHost(nullptr);
    if (!MeshWatched(face, 1, noHost, [&](const Message_ProgressRange& range) {
            const BRepMesh_IncrementalMesh mesher(face, parameters, range);
        }))
        return nullptr;
    return BRep_Tool::Triangulation(face, location);
}

} // namespace KorrCore
