#pragma once

#include <vector>

#include <Geom_Surface.hxx>
#include <Poly_Connect.hxx>
#include <Poly_Triangulation.hxx>
#include <TopoDS_Face.hxx>
#include <gp_Dir.hxx>
#include <gp_XYZ.hxx>

namespace KorrCore {

// Per-node shading normals of a face's triangulation, computed the way the
// kernel's shaded presentation computes them, from the modelling toolkits
// alone and without storing anything into the triangulation (it is shared by
// every handle to the face):
// - normals the triangulation already carries are used as they are;
// - otherwise the surface normal at the node's parameters (GeomLib::NormEstim),
//   and where the surface has none there, the mean of the unit normals of the
//   triangles around the node;
// - a triangulation without parameters, or a face without a surface, gets the
//   area-weighted mean of the normals of the triangles around each node.
// Every normal is reversed on a reversed face. They are in the triangulation's
// own frame, as its nodes are.
class ShadingNormals {
public:
    ShadingNormals(const TopoDS_Face& face, const Handle(Poly_Triangulation)& triangulation);

    // The normal at node 1 ... NbNodes.
    gp_Dir At(Standard_Integer node);

private:
    gp_Dir Unoriented(Standard_Integer node);
    gp_Dir MeanOfAdjacentTriangles(Standard_Integer node);
    void AverageOverAllTriangles();

    const Handle(Poly_Triangulation)& triangulation;
    const bool reversed;
    Handle(Geom_Surface) surface;
    std::vector<gp_XYZ> areaWeighted;
    // Built on the first node whose surface normal fails; most faces need none.
    Poly_Connect adjacency;
    bool adjacencyLoaded = false;
};

} // namespace KorrCore
