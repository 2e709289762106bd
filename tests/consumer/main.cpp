// A host that knows only the installed package and its umbrella header (and,
// with the Exchange component, the glTF writer's).
#include <KorrGeomCore/KorrGeomCore.h>
#ifdef KORRGEOM_WITH_EXCHANGE
#include <KorrGeomCore/Service/KGltfFileService.h>
#endif

int main()
{
    KorrCore::ShapePtr box = KorrCore::KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z,
                                                           KMath::Vector3(1, 2, 3));
    KorrCore::ShapeList faces;
    const bool listed = box && KorrCore::KTopoFaceExplor::Explor(box, faces);
    KorrCore::KShapeMesh mesh;
    const bool meshed = box && KorrCore::KShapeMesher::Mesh(box, KorrCore::KMeshOptions(), mesh) &&
                        mesh.Parts.size() == 1 && mesh.Parts[0].Faces.size() == 6;
#ifdef KORRGEOM_WITH_EXCHANGE
    const bool written = box && KorrCore::KGltfFileService().Encode({box}, true).rfind("glTF", 0) == 0;
#else
    const bool written = true;
#endif
    return listed && faces.size() == 6 && box->GetShapeType() == KorrCore::TopoSolid && meshed && written ? 0 : 1;
}
