#include "Library/TopoExplor/ShadingNormals.h"

#include <BRep_Tool.hxx>
#include <GeomLib.hxx>
#include <Precision.hxx>
#include <TopLoc_Location.hxx>
#include <TopoDS.hxx>
#include <gp.hxx>

namespace KorrCore {

ShadingNormals::ShadingNormals(const TopoDS_Face& face, const Handle(Poly_Triangulation)& triangulation_)
    : triangulation(triangulation_), reversed(face.Orientation() == TopAbs_REVERSED)
{
    if (triangulation->HasNormals())
        return;
    // The triangulation's nodes lie in the frame of the face without its
    // location, so the surface is taken in that frame too.
    surface = BRep_Tool::Surface(TopoDS::Face(face.Located(TopLoc_Location())));
    if (surface.IsNull() || !triangulation->HasUVNodes()) {
        surface.Nullify();
        AverageOverAllTriangles();
    }
}

gp_Dir ShadingNormals::At(Standard_Integer node)
{
    const gp_Dir normal = Unoriented(node);
    return reversed ? normal.Reversed() : normal;
}

gp_Dir ShadingNormals::Unoriented(Standard_Integer node)
{
    if (!surface.IsNull()) {
        gp_Dir normal;
        // 0 and 1: a normal from the first or from higher derivatives.
        if (GeomLib::NormEstim(surface, triangulation->UVNode(node), Precision::Confusion(), normal) <= 1)
            return normal;
        return MeanOfAdjacentTriangles(node);
    }
    if (!areaWeighted.empty()) {
        const gp_XYZ& sum = areaWeighted[node - 1];
        return sum.Modulus() == 0.0 ? gp::DZ() : gp_Dir(sum);
    }
    return triangulation->Normal(node);
}

gp_Dir ShadingNormals::MeanOfAdjacentTriangles(Standard_Integer node)
{
    if (!adjacencyLoaded) {
        adjacency.Load(triangulation);
        adjacencyLoaded = true;
    }
    const double tolerance = Precision::Confusion();
    gp_XYZ sum(0.0, 0.0, 0.0);
    for (adjacency.Initialize(node); adjacency.More(); adjacency.Next()) {
        Standard_Integer a, b, c;
        triangulation->Triangle(adjacency.Value()).Get(a, b, c);
        const gp_XYZ pa = triangulation->Node(a).XYZ();
        const gp_XYZ pb = triangulation->Node(b).XYZ();
        const gp_XYZ pc = triangulation->Node(c).XYZ();
        const gp_XYZ cross = (pb - pa) ^ (pc - pb);
        const double length = cross.Modulus();
        if (length >= tolerance)
            sum += cross / length;
    }
    return sum.Modulus() > tolerance ? gp_Dir(sum) : gp::DZ();
}

void ShadingNormals::AverageOverAllTriangles()
{
    areaWeighted.assign(static_cast<std::size_t>(triangulation->NbNodes()), gp_XYZ(0.0, 0.0, 0.0));
    for (Standard_Integer t = 1; t <= triangulation->NbTriangles(); ++t) {
        Standard_Integer a, b, c;
        triangulation->Triangle(t).Get(a, b, c);
        const gp_XYZ pa = triangulation->Node(a).XYZ();
        // Twice the triangle's area long: larger triangles weigh more.
        const gp_XYZ cross = (triangulation->Node(b).XYZ() - pa) ^ (triangulation->Node(c).XYZ() - pa);
        for (Standard_Integer corner : {a, b, c})
            areaWeighted[corner - 1] += cross;
    }
}

} // namespace KorrCore
