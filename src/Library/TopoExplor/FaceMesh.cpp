#include "Library/TopoExplor/FaceMesh.h"

#include <BRepAdaptor_Surface.hxx>
#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <TopoDS.hxx>
#include <gp_Vec.hxx>

#include <algorithm>
#include <cmath>
#include <utility>

#include "Internal/Core/DisplayBounds.h"
#include "Library/TopoExplor/Placement.h"
#include "Library/TopoExplor/ShadingNormals.h"

namespace KorrCore {

namespace {

bool ReadTriangles(const Poly_Triangulation& triangulation, bool flipWinding, std::vector<unsigned int>& triangles)
{
    const Standard_Integer nodes = triangulation.NbNodes();
    triangles.resize(3 * static_cast<std::size_t>(triangulation.NbTriangles()));
    unsigned int* out = triangles.data();
    for (Standard_Integer t = 1; t <= triangulation.NbTriangles(); ++t, out += 3) {
        Standard_Integer a, b, c;
        triangulation.Triangle(t).Get(a, b, c);
        if (flipWinding)
            std::swap(b, c);
        for (const Standard_Integer node : {a, b, c})
            if (node < 1 || node > nodes)
                return false;
        out[0] = static_cast<unsigned int>(a - 1);
        out[1] = static_cast<unsigned int>(b - 1);
        out[2] = static_cast<unsigned int>(c - 1);
    }
    return true;
}

bool ReadPositions(const Poly_Triangulation& triangulation, const Placement& place, const DisplayBounds& bounds,
                   std::vector<gp_XYZ>& positions)
{
    positions.resize(static_cast<std::size_t>(triangulation.NbNodes()));
    for (Standard_Integer i = 1; i <= triangulation.NbNodes(); ++i) {
        gp_XYZ& position = positions[static_cast<std::size_t>(i - 1)];
        position = place.Point(triangulation.Node(i).XYZ());
        if (!bounds.Holds(position))
            return false;
    }
    return true;
}

bool AllFinite(const std::vector<float>& values)
{
    return std::all_of(values.begin(), values.end(), [](float value) { return std::isfinite(value); });
}

gp_XYZ DerivativeNormal(const BRepAdaptor_Surface& surface, const gp_Pnt2d& uv)
{
    gp_Pnt point;
    gp_Vec d1u, d1v;
    surface.D1(uv.X(), uv.Y(), point, d1u, d1v);
    const gp_Vec normal = d1u.Crossed(d1v);
    const double length = normal.Magnitude();
    return length > 1e-10 ? (normal / length).XYZ() : gp_XYZ(0.5, 0.0, 0.0);
}

} // namespace

bool ReadShadedFace(const TopoDS_Face& face, const Handle(Poly_Triangulation)& triangulation,
                    const TopLoc_Location& location, double deflection, const UVSettings& uv, FaceMesh& mesh)
{
    const Placement place(location);
    const bool flip = (face.Orientation() == TopAbs_REVERSED) != place.Mirrors();
    if (!ReadTriangles(*triangulation, flip, mesh.triangles) ||
        !ReadPositions(*triangulation, place, DisplayBounds(face, deflection), mesh.positions))
        return false;

    ShadingNormals shading(face, triangulation);
    mesh.normals.resize(mesh.positions.size());
    for (Standard_Integer i = 1; i <= triangulation->NbNodes(); ++i) {
        gp_XYZ& normal = mesh.normals[static_cast<std::size_t>(i - 1)];
        normal = place.Direction(shading.At(i).XYZ());
        if (!IsFinite(normal))
            return false;
    }

    double uMin, uMax, vMin, vMax;
    BRepTools::UVBounds(face, uMin, uMax, vMin, vMax);
    mesh.parameterMin.SetCoord(uMin, vMin);
    mesh.parameterMax.SetCoord(uMax, vMax);
    const Standard_Integer uvNodes = triangulation->HasUVNodes() ? triangulation->NbNodes() : 0;
    mesh.texCoords.resize(2 * static_cast<std::size_t>(uvNodes));
    const TextureMapping mapping(uv, uMin, uMax, vMin, vMax);
    for (Standard_Integer i = 1; i <= uvNodes; ++i)
        mapping.Store(&mesh.texCoords[2 * static_cast<std::size_t>(i - 1)], triangulation->UVNode(i));
    return AllFinite(mesh.texCoords);
}

bool ReadRawFace(const TopoDS_Face& face, const Handle(Poly_Triangulation)& triangulation,
                 const TopLoc_Location& location, double deflection, FaceMesh& mesh)
{
    const Placement place(location);
    // Normals come from the nodes' surface parameters: without them there are none.
    if (!triangulation->HasUVNodes() || !ReadTriangles(*triangulation, false, mesh.triangles) ||
        !ReadPositions(*triangulation, place, DisplayBounds(face, deflection), mesh.positions))
        return false;
    // A face made of a mesh alone has no surface to differentiate; its nodes'
    // parameters are only numbers. Its triangles, as stored, give the normals.
    const bool meshOnly = BRep_Tool::Surface(face).IsNull();
    const BRepAdaptor_Surface surface = meshOnly ? BRepAdaptor_Surface() : BRepAdaptor_Surface(face, Standard_True);
    ShadingNormals ofTriangles(TopoDS::Face(face.Oriented(TopAbs_FORWARD)), triangulation);
    mesh.normals.resize(mesh.positions.size());
    mesh.texCoords.resize(2 * mesh.positions.size());
    for (Standard_Integer i = 1; i <= triangulation->NbNodes(); ++i) {
        const auto node = static_cast<std::size_t>(i - 1);
        const gp_Pnt2d uv = triangulation->UVNode(i);
        mesh.normals[node] =
            meshOnly ? place.Direction(ofTriangles.At(i).XYZ()) : DerivativeNormal(surface, uv);
        mesh.texCoords[2 * node] = static_cast<float>(uv.X());
        mesh.texCoords[2 * node + 1] = static_cast<float>(uv.Y());
        if (!IsFinite(mesh.normals[node]))
            return false;
    }
    return AllFinite(mesh.texCoords);
}

} // namespace KorrCore
