#include "TopoExplor/FaceTriangulation.h"

#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Tool.hxx>
#include <Geom2d_Curve.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>

#include <cmath>

#include <utility>

namespace KorrCore {

namespace {

// An edge that claims the same parameter range on the face as in space (the
// kernel's SameRange flag) but stores another one is damaged data, as a
// corrupted file can hold: the mesher then works for minutes on the face.
bool EdgeRangesAgree(const TopoDS_Face& face)
{
    for (TopExp_Explorer edges(face, TopAbs_EDGE); edges.More(); edges.Next()) {
        const TopoDS_Edge& edge = TopoDS::Edge(edges.Current());
        if (!BRep_Tool::SameRange(edge))
            continue;
        Standard_Real first, last, curveFirst, curveLast;
        BRep_Tool::Range(edge, first, last);
        const Handle(Geom2d_Curve) onFace = BRep_Tool::CurveOnSurface(edge, face, curveFirst, curveLast);
        const double tolerance = 1e-9 * (1.0 + std::abs(first) + std::abs(last));
        if (!onFace.IsNull() && (std::abs(curveFirst - first) > tolerance || std::abs(curveLast - last) > tolerance))
            return false;
    }
    return true;
}

} // namespace

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
