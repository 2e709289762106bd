// A host's modelling step: a block with its edges rounded and a pocket cut
// into it, meshed for display and kept as a BRep file (to model with later)
// and a binary glTF model (to look at). Then, for the assembly example, the
// part on a plate, named and coloured, saved as a STEP file.
//
//   part_to_files OUTPUT_FOLDER   writes part.brep, part.glb and assembly.step there
#include <KorrGeomCore/KorrGeomCore.h>
#include <KorrGeomCore/Service/KGltfFileService.h>
#include <KorrGeomCore/Service/KStepFileService.h>

#include <cstdio>
#include <string>

using namespace KorrCore;
using KMath::Vector3;

namespace {

// Tells why the last call into the library failed.
int Failed(const char* step)
{
    const KOutcome& why = KLastOutcome();
    std::fprintf(stderr, "%s failed: %s: %s %s\n", step, KOutcomeName(why.Code), why.Message.c_str(),
                 why.Detail.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];

    // Builders and operations give a null handle on failure; KLastOutcome says why.
    const ShapePtr block = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(40, 30, 10));
    const ShapePtr rounded = KFeatureTools::Fillet(block, 1.5);
    const ShapePtr pocketTool = KBrepTools::MakeBox(Vector3(10, 8, 4), Vector3::UNIT_Z, Vector3(20, 14, 10));
    const ShapePtr part = KFeatureTools::Boolean(rounded, pocketTool, BooleanCut);
    if (!part)
        return Failed("modelling");

    KShapeMesh mesh;
    if (!KShapeMesher::Mesh(part, KMeshOptions(), mesh))
        return Failed("meshing");
    const KMeshPart& shown = mesh.Parts.front();
    std::printf("part: %zu faces, %zu triangles, %zu nodes, %zu edges\n", shown.Faces.size(), shown.TriangleCount(),
                shown.NodeCount(), shown.Edges.size());

    if (!KBrepTools::SaveBrepFile(part, KStringUtil::a2w(folder + "/part.brep"), nullptr))
        return Failed("saving part.brep");
    // A service's SaveFile returns nothing: the outcome tells.
    KShapeAttributes::SetProductName(part, part, L"bracket");
    KShapeAttributes::SetColor(part, part, KColor{0.8f, 0.45f, 0.1f});
    KGltfFileService().SaveFile({part}, KStringUtil::a2w(folder + "/part.glb"));
    if (KLastOutcome().Code != KOutcomeCode::Ok)
        return Failed("saving part.glb");

    // The bracket on a plate, saved as one STEP file with their names and
    // colours.
    const ShapePtr plate = KBrepTools::MakeBox(Vector3(-5, -5, -3), Vector3::UNIT_Z, Vector3(50, 40, 3));
    KShapeAttributes::SetProductName(plate, plate, L"plate");
    KShapeAttributes::SetColor(plate, plate, KColor{0.2f, 0.4f, 0.8f});
    KStepFileService().SaveFile({plate, part}, KStringUtil::a2w(folder + "/assembly.step"));
    if (KLastOutcome().Code != KOutcomeCode::Ok)
        return Failed("saving assembly.step");
    std::printf("wrote part.brep, part.glb and assembly.step in %s\n", folder.c_str());
    return 0;
}
