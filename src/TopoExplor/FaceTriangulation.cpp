#include "TopoExplor/FaceTriangulation.h"

#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Tool.hxx>

#include "Core/MeshPreconditions.h"
#include "Core/MeshingWatch.h"

namespace KorrCore {

Handle(Poly_Triangulation) MeshFace(const TopoDS_Face& face, double deflection, TopLoc_Location& location)
{
    if (!FaceAgreesWithItsEdges(face))
        return nullptr;
    IMeshTools_Parameters parameters;
    parameters.Deflection = deflection;
    parameters.Angle = 0.5;
    HostProgress noHost(nullptr);
    if (!MeshWatched(face, 1, noHost, [&](const Message_ProgressRange& range) {
            const BRepMesh_IncrementalMesh mesher(face, parameters, range);
        }))
        return nullptr;
    return BRep_Tool::Triangulation(face, location);
}

} // namespace KorrCore
