#include <KorrGeomCore/TopoExplor/KTopoFaceExplor.h>

#include <TopoDS.hxx>

#include "Internal/Core/Frame.h"
#include "Internal/Core/MeshPreconditions.h"
#include "Library/TopoExplor/DisplayBuffers.h"
#include "Library/TopoExplor/FaceMesh.h"
#include "Library/TopoExplor/FaceTriangulation.h"
#include "Library/TopoExplor/SubShapeList.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoExplor/KTopoFaceExplor";

} // namespace

ExplorFaceOptions::ExplorFaceOptions()
    : Deflection(0.1), NormalizeUV(false), UVOffset(KMath::Vector2::ZERO), UVScale(KMath::Vector2::UNIT_SCALE),
      UVDivisor(KMath::Vector2::UNIT_SCALE), UVMin(KMath::Vector2::ZERO), UVMax(KMath::Vector2::ZERO)
{
}

bool KTopoFaceExplor::Explor(const ShapePtr& shape, ShapeList& faces)
{
    return Explored([&] {
        return ListSubShapes(
            shape, faces, TopAbs_FACE, kReportSource, __LINE__,
            [](const TopoDS_Shape& kernel, ShapeList& out) { AppendOccurrences(kernel, TopAbs_FACE, out); });
    });
}

bool KTopoFaceExplor::Explor(const ShapePtr& face, std::vector<float>& positions, std::vector<unsigned int>& indices,
                             std::vector<float>& normals, std::vector<float>& texCoords, ExplorFaceOptions& options)
{
    return Explored([&] {
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
        FaceMesh mesh;
        if (!ReadShadedFace(kernelFace, triangulation, location, options.Deflection,
                            {options.NormalizeUV, options.UVOffset, options.UVScale, options.UVDivisor}, mesh))
            return false;

        // Written only now: a face that cannot be shown leaves every buffer as it was.
        indices.assign(mesh.triangles.begin(), mesh.triangles.end());
        positions.resize(3 * mesh.positions.size());
        normals.resize(3 * mesh.positions.size());
        for (std::size_t node = 0; node < mesh.positions.size(); ++node) {
            StoreXYZ(&positions[3 * node], mesh.positions[node]);
            StoreXYZ(&normals[3 * node], mesh.normals[node]);
        }
        texCoords.assign(mesh.texCoords.begin(), mesh.texCoords.end());
        options.UVMin = KMath::Vector2(mesh.parameterMin.X(), mesh.parameterMin.Y());
        options.UVMax = KMath::Vector2(mesh.parameterMax.X(), mesh.parameterMax.Y());
        return true;
    });
}

bool KTopoFaceExplor::Explor(const ShapePtr& face, std::vector<float>* positions, std::vector<unsigned int>* indices,
                             std::vector<float>* normals, std::vector<float>* texCoords, double deflection)
{
    return Explored([&] {
        if (!KORR_CHECK(HoldsShape(face), "This is not Face"))
            return false;
        const TopoDS_Face& kernelFace = TopoDS::Face(KernelShape(face));
        if (!positions || !normals || (indices && !texCoords) || !MeetableDeflection(deflection, kernelFace))
            return false;

        TopLoc_Location location;
        const Handle(Poly_Triangulation) triangulation = MeshFace(kernelFace, deflection, location);
        FaceMesh mesh;
        if (triangulation.IsNull() || !ReadRawFace(kernelFace, triangulation, location, deflection, mesh))
            return false;

        if (indices) {
            indices->assign(mesh.triangles.begin(), mesh.triangles.end());
            positions->resize(3 * mesh.positions.size());
            normals->resize(3 * mesh.positions.size());
            for (std::size_t node = 0; node < mesh.positions.size(); ++node) {
                StoreXYZ(&(*positions)[3 * node], mesh.positions[node]);
                StoreXYZ(&(*normals)[3 * node], mesh.normals[node]);
            }
            texCoords->assign(mesh.texCoords.begin(), mesh.texCoords.end());
            return true;
        }

        positions->resize(3 * mesh.triangles.size());
        normals->resize(3 * mesh.triangles.size());
        for (std::size_t corner = 0; corner < mesh.triangles.size(); ++corner) {
            StoreXYZ(&(*positions)[3 * corner], mesh.positions[mesh.triangles[corner]]);
            StoreXYZ(&(*normals)[3 * corner], mesh.normals[mesh.triangles[corner]]);
        }
        return true;
    });
}

} // namespace KorrCore
