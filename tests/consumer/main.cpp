// A host that knows only the installed package and its umbrella header.
#include <KorrGeomCore/KorrGeomCore.h>

int main()
{
    KorrCore::ShapePtr box = KorrCore::KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z,
                                                           KMath::Vector3(1, 2, 3));
    KorrCore::ShapeList faces;
    const bool listed = box && KorrCore::KTopoFaceExplor::Explor(box, faces);
    KorrCore::KShapeMesh mesh;
    const bool meshed = box && KorrCore::KShapeMesher::Mesh(box, KorrCore::KMeshOptions(), mesh) &&
                        mesh.Parts.size() == 1 && mesh.Parts[0].Faces.size() == 6;
    return listed && faces.size() == 6 && box->GetShapeType() == KorrCore::TopoSolid && meshed ? 0 : 1;
}
