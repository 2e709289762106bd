// A host that knows only the installed package and its umbrella header (and,
// with the Exchange component, the STEP and glTF services and the installed
// worker the STEP service runs).
#include <KorrGeomCore/KorrGeomCore.h>

#include <string_view>

// The version header agrees with the package the host found.
static_assert(std::string_view(KORRGEOMCORE_VERSION_STRING) == PACKAGE_VERSION);

#ifdef WITH_EXCHANGE
#include <KorrGeomCore/Service/KGltfFileService.h>
#include <KorrGeomCore/Service/KStepFileService.h>

#include <cstdio>
#endif

namespace {

// Saved to and loaded from `path` as STEP, and encoded as a binary glTF model.
bool Exchanged(const KorrCore::ShapePtr& box, const char* path)
{
#ifdef WITH_EXCHANGE
    KorrCore::KStepFileService().SaveFile({box}, KorrCore::KStringUtil::a2w(path));
    const KorrCore::ShapePtr read = KorrCore::KStepFileService().LoadFile(KorrCore::KStringUtil::a2w(path));
    std::remove(path);
    return read && read->GetShapeType() == KorrCore::TopoSolid &&
           KorrCore::KGltfFileService().Encode({box}, true).rfind("glTF", 0) == 0;
#else
    return box && path;
#endif
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    KorrCore::ShapePtr box =
        KorrCore::KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, KMath::Vector3(1, 2, 3));
    KorrCore::ShapeList faces;
    const bool listed = box && KorrCore::KTopoFaceExplor::Explor(box, faces);
    KorrCore::KShapeMesh mesh;
    const bool meshed = box && KorrCore::KShapeMesher::Mesh(box, KorrCore::KMeshOptions(), mesh) &&
                        mesh.Parts.size() == 1 && mesh.Parts[0].Faces.size() == 6;
    const bool solid = box && box->GetShapeType() == KorrCore::TopoSolid;
    return listed && faces.size() == 6 && solid && meshed && Exchanged(box, argv[1]) ? 0 : 1;
}
