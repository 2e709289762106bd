#include <KorrGeomCore/Service/KGltfFileService.h>

#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/TopoExplor/KShapeMesher.h>

#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>

#include "Core/Frame.h"
#include "Core/LeftOut.h"
#include "FileFormats/Gltf/GltfScene.h"
#include "Platform/AsciiCase.h"
#include "Platform/FileOutcome.h"
#include "Platform/FileReplace.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "Service/KGltfFileService";

// The path's extension in lower case: ".glb" for "Model.GLB", none for a
// name that only starts with a dot. Found in the wide text itself: converting
// the path with the C++ locale throws for names that locale cannot encode.
std::wstring Extension(const std::wstring& path)
{
    const std::size_t slash = path.rfind(L'/'), dot = path.rfind(L'.');
    const std::size_t nameStart = slash == std::wstring::npos ? 0 : slash + 1;
    if (dot == std::wstring::npos || dot <= nameStart)
        return {};
    return AsciiLower(path.substr(dot));
}

// tinygltf's own file writer reports success whatever happened to the file,
// so the stream is ours and its state is checked.
bool WriteModel(const tinygltf::Model& model, bool binary, std::ostream& out)
{
    tinygltf::TinyGLTF writer;
    return Guarded([&] { return writer.WriteGltfSceneToStream(&model, out, false, binary); }) && out.flush();
}

// The model of the shapes held, each meshed; nothing, after a report, when
// one cannot be. The meshes go before the model is written.
std::optional<tinygltf::Model> ModelOf(const ShapeList& shapes, double deflection, const Gltf::GltfSettings& settings,
                                       LeftOut& leftOut)
{
    KMeshOptions options;
    options.Deflection = deflection;
    options.NormalizeUV = true;
    std::vector<KShapeMesh> meshes;
    int position = 0;
    for (const ShapePtr& shape : shapes) {
        if (!KORR_CHECK(leftOut.Held(shape, ++position), "NULL TopoShape!"))
            continue;
        meshes.emplace_back();
        if (!KORR_CHECK(KShapeMesher::Mesh(shape, options, meshes.back()), "Cannot mesh the shape!")) {
            Conclude(false);
            return std::nullopt;
        }
    }
    std::optional<tinygltf::Model> model = Guarded(
        std::optional<tinygltf::Model>(), [&] { return std::make_optional(Gltf::SceneModel(meshes, settings)); });
    KORR_CHECK(model.has_value(), "Cannot write the file!");
    return model;
}

} // namespace

KGltfFileService::KGltfFileService()
{
    SetName(L"glTF");
    SetTitle(L"glTF 2.0 display model");
    SetFileFilter(L"*.glb;*.gltf");
}

void KGltfFileService::SetDeflection(double value)
{
    SetOk();
    if (KORR_CHECK_WHY(value >= 0.0 && std::isfinite(value), "Invalid Deflection!", InvalidArgument,
                       "deflection must be finite and not below 0, got " + Shown(value)))
        deflection = value;
}

void KGltfFileService::SetModelUnit(double metres)
{
    SetOk();
    if (KORR_CHECK_WHY(metres > 0.0 && std::isfinite(metres), "Invalid Model Unit!", InvalidArgument,
                       "metres must be finite and above 0, got " + Shown(metres)))
        modelUnit = metres;
}

std::string KGltfFileService::Encode(const ShapeList& shapes, bool binary) const
{
    LeftOut leftOut;
    const std::string encoded = Framed([&] {
        const std::optional<tinygltf::Model> model =
            ModelOf(shapes, deflection, {modelUnit, edges, texCoords}, leftOut);
        std::ostringstream out;
        return model && WriteModel(*model, binary, out) ? out.str() : std::string();
    });
    return leftOut.Told(encoded);
}

void KGltfFileService::SaveFile(const ShapeList& shapes, const std::wstring& path)
{
    const std::string target = KStringUtil::w2a(path);
    SetOk();
    LeftOut leftOut;
    const std::wstring extension = Extension(path);
    const bool binary = extension == L".glb";
    if (!KORR_CHECK_WHY(binary || extension == L".gltf", "Not a .glb or .gltf file!", InvalidArgument,
                        "path must end in .glb or .gltf, got " + target))
        return ConcernsFile(target);
    const std::optional<tinygltf::Model> model = ModelOf(shapes, deflection, {modelUnit, edges, texCoords}, leftOut);
    if (!model)
        return ConcernsFile(target);
    const bool written = ReplaceFile(target, [&](const std::string& file) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        if (!WriteModel(*model, binary, out))
            return false;
        out.close();
        return !out.fail();
    });
    KORR_CHECK(written, "Cannot write the file!");
    Conclude(written);
    leftOut.Told(written);
}

ShapePtr KGltfFileService::OnLoadFile(const std::wstring& path)
{
    SetOutcome(KOutcomeCode::InvalidArgument, "the glTF file service reads no files: glTF holds meshes, not shapes",
               KStringUtil::w2a(path));
    return nullptr;
}

} // namespace KorrCore
