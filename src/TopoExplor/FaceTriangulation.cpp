#include "TopoExplor/FaceTriangulation.h"

#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Tool.hxx>

#include <utility>

#include "TopoExplor/MeshPreconditions.h"

namespace KorrCore {

Handle(Poly_Triangulation) MeshFace(const TopoDS_Face& face, double deflection, TopLoc_Location& location)
{
    if (!EdgeRangesAgree(face))
        return nullptr;
    const BRepMesh_IncrementalMesh mesher(face, deflection, Standard_False, 0.5);
    return BRep_Tool::Triangulation(face, location);
}

void WriteTriangles(const Poly_Triangulation& triangulation, bool flipWinding, unsigned int* out)
{
    const Standard_Integer count = triangulation.NbTriangles();
    for (Standard_Integer t = 1; t <= count; ++t, out += 3) {
        Standard_Integer a, b, c;
        triangulation.Triangle(t).Get(a, b, c);
        if (flipWinding)
            std::swap(b, c);
        out[0] = static_cast<unsigned int>(a - 1);
        out[1] = static_cast<unsigned int>(b - 1);
        out[2] = static_cast<unsigned int>(c - 1);
    }
}

} // namespace KorrCore
