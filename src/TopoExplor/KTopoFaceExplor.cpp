#include <KorrGeomCore/TopoExplor/KTopoFaceExplor.h>

#include <BRepAdaptor_Surface.hxx>
#include <BRepTools.hxx>
#include <TopoDS.hxx>
#include <gp_Vec.hxx>

#include <cmath>

#include "Core/Check.h"
#include "TopoExplor/DisplayBuffers.h"
#include "TopoExplor/MeshPreconditions.h"
#include "TopoExplor/FaceTriangulation.h"
#include "TopoExplor/ShadingNormals.h"
#include "TopoExplor/SubShapeList.h"
#include "TopoExplor/TextureMapping.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoExplor/KTopoFaceExplor";

// The pointer form's normal: the surface's own orientation, straight from its
// first derivatives.
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

ExplorFaceOptions::ExplorFaceOptions()
    : Deflection(0.1), NormalizeUV(false), UVOffset(KMath::Vector2::ZERO), UVScale(KMath::Vector2::UNIT_SCALE),
      UVDivisor(KMath::Vector2::UNIT_SCALE), UVMin(KMath::Vector2::ZERO), UVMax(KMath::Vector2::ZERO)
{
}

bool KTopoFaceExplor::Explor(const ShapePtr& shape, ShapeList& faces)
{
    return ListSubShapes(
        shape, faces, TopAbs_FACE, kReportSource, __LINE__,
        [](const TopoDS_Shape& kernel, ShapeList& out) { AppendOccurrences(kernel, TopAbs_FACE, out); });
}

bool KTopoFaceExplor::Explor(const ShapePtr& face, std::vector<float>& positions, std::vector<unsigned int>& indices,
                             std::vector<float>& normals, std::vector<float>& texCoords, ExplorFaceOptions& options)
{
    // The kernel's face cast lets a null shape through, and reading the
    // triangulation of a null face crashes.
    if (!KORR_CHECK(HoldsShape(face), "This is not Face"))
        return false;
    const TopoDS_Face& kernelFace = TopoDS::Face(KernelShape(face));
    if (!MeetableDeflection(options.Deflection, kernelFace))
        return false;

    TopLoc_Location location;
    const Handle(Poly_Triangulation) triangulation = MeshFace(kernelFace, options.Deflection, location);
    if (triangulation.IsNull()) {
        KORR_CHECK(false, "Triangulation of the face is NULL");
        return false;
    }
    ShadingNormals shading(kernelFace, triangulation);
    const Placement place(location);

    indices.resize(3 * static_cast<std::size_t>(triangulation->NbTriangles()));
    WriteTriangles(*triangulation, kernelFace.Orientation() == TopAbs_REVERSED, indices.data());

    const std::size_t nodeCount = static_cast<std::size_t>(triangulation->NbNodes());
    positions.resize(3 * nodeCount);
    normals.resize(3 * nodeCount);
    for (Standard_Integer i = 1; i <= triangulation->NbNodes(); ++i) {
        const std::size_t at = 3 * static_cast<std::size_t>(i - 1);
        StoreXYZ(&positions[at], place(triangulation->Node(i)).XYZ());
        StoreXYZ(&normals[at], place(shading.At(i)).XYZ());
    }

    double uMin, uMax, vMin, vMax;
    BRepTools::UVBounds(kernelFace, uMin, uMax, vMin, vMax);
    options.UVMin = KMath::Vector2(uMin, vMin);
    options.UVMax = KMath::Vector2(uMax, vMax);

    const TextureMapping mapping({options.NormalizeUV, options.UVOffset, options.UVScale, options.UVDivisor}, uMin,
                                 uMax, vMin, vMax);
    const Standard_Integer uvCount = triangulation->HasUVNodes() ? triangulation->NbNodes() : 0;
    texCoords.resize(2 * static_cast<std::size_t>(uvCount));
    for (Standard_Integer i = 1; i <= uvCount; ++i)
        mapping.Store(&texCoords[2 * static_cast<std::size_t>(i - 1)], triangulation->UVNode(i));
    return true;
}

bool KTopoFaceExplor::Explor(const ShapePtr& face, std::vector<float>* positions, std::vector<unsigned int>* indices,
                             std::vector<float>* normals, std::vector<float>* texCoords, double deflection)
{
    if (!KORR_CHECK(HoldsShape(face), "This is not Face"))
        return false;
    const TopoDS_Face& kernelFace = TopoDS::Face(KernelShape(face));
    if (!positions || !normals || (indices && !texCoords) || !MeetableDeflection(deflection, kernelFace))
        return false;

    const BRepAdaptor_Surface surface(kernelFace, Standard_True);
    TopLoc_Location location;
    const Handle(Poly_Triangulation) triangulation = MeshFace(kernelFace, deflection, location);
    // Normals come from the nodes' surface parameters: without them there are none.
    if (triangulation.IsNull() || !triangulation->HasUVNodes())
        return false;
    const Placement place(location);

    if (indices) {
        indices->resize(3 * static_cast<std::size_t>(triangulation->NbTriangles()));
        WriteTriangles(*triangulation, false, indices->data());
        const std::size_t nodeCount = static_cast<std::size_t>(triangulation->NbNodes());
        positions->resize(3 * nodeCount);
        normals->resize(3 * nodeCount);
        texCoords->resize(2 * nodeCount);
        for (Standard_Integer i = 1; i <= triangulation->NbNodes(); ++i) {
            const std::size_t node = static_cast<std::size_t>(i - 1);
            const gp_Pnt2d uv = triangulation->UVNode(i);
            StoreXYZ(&(*positions)[3 * node], place(triangulation->Node(i)).XYZ());
            StoreXYZ(&(*normals)[3 * node], DerivativeNormal(surface, uv));
            (*texCoords)[2 * node] = static_cast<float>(uv.X());
            (*texCoords)[2 * node + 1] = static_cast<float>(uv.Y());
        }
        return true;
    }

    const std::size_t cornerCount = 3 * static_cast<std::size_t>(triangulation->NbTriangles());
    positions->resize(3 * cornerCount);
    normals->resize(3 * cornerCount);
    std::size_t at = 0;
    for (Standard_Integer t = 1; t <= triangulation->NbTriangles(); ++t) {
        Standard_Integer corners[3];
        triangulation->Triangle(t).Get(corners[0], corners[1], corners[2]);
        for (const Standard_Integer node : corners) {
            StoreXYZ(&(*positions)[at], place(triangulation->Node(node)).XYZ());
            StoreXYZ(&(*normals)[at], DerivativeNormal(surface, triangulation->UVNode(node)));
            at += 3;
        }
    }
    return true;
}

} // namespace KorrCore
