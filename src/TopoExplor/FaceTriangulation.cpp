#include "TopoExplor/FaceTriangulation.h"

#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Tool.hxx>

#include "TopoExplor/MeshPreconditions.h"

namespace KorrCore {

Handle(Poly_Triangulation) MeshFace(const TopoDS_Face& face, double deflection, TopLoc_Location& location)
{
    if (!FaceAgreesWithItsEdges(face))
        return nullptr;
    const BRepMesh_IncrementalMesh mesher(face, deflection, Standard_False, 0.5);
    return BRep_Tool::Triangulation(face, location);
}

} // namespace KorrCore
