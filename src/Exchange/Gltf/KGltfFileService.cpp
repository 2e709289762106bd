#include <KorrGeomCore/Service/KGltfFileService.h>

#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/TopoExplor/KShapeMesher.h>

#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>

#include "Exchange/Gltf/GltfScene.h"
#include "Exchange/Gltf/ViewerPage.h"
#include "Internal/Core/Frame.h"
#include "Internal/Core/LeftOut.h"
#include "Internal/Platform/AsciiCase.h"
#include "Internal/Platform/FileOutcome.h"
#include "Internal/Platform/FileReplace.h"

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

// The page's title: the file's name without its folder and extension.
std::string Stem(const std::wstring& path)
{
    const std::size_t slash = path.rfind(L'/');
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    return KStringUtil::w2a(name.substr(0, name.size() - Extension(name).size()));
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
    std::vector<ShapePtr> meshed;
    int position = 0;
    for (const ShapePtr& shape : shapes) {
        if (!KORR_CHECK(leftOut.Held(shape, ++position), "NULL TopoShape!"))
            continue;
        meshes.emplace_back();
        if (!KORR_CHECK(KShapeMesher::Mesh(shape, options, meshes.back()), "Cannot mesh the shape!")) {
            Conclude(false);
            return std::nullopt;
        }
        meshed.push_back(shape);
    }
    std::optional<tinygltf::Model> model = Guarded(std::optional<tinygltf::Model>(), [&] {
        std::vector<Gltf::UseTree> trees;
        for (const ShapePtr& shape : meshed)
            trees.push_back(Gltf::UseTreeOf(shape));
        return std::make_optional(Gltf::SceneModel(meshes, trees, settings));
    });
    KORR_CHECK(model.has_value(), "Cannot write the file!");
    return model;
}

// The bytes of the file, in glTF's binary or JSON form or as the viewer page
// around the binary form; empty when tinygltf fails.
std::string Encoded(const tinygltf::Model& model, bool binary, const std::optional<std::string>& pageTitle)
{
    std::ostringstream out;
    if (!WriteModel(model, binary || pageTitle, out))
        return {};
    return pageTitle ? Guarded(std::string(), [&] { return Gltf::ViewerPage(*pageTitle, out.str()); }) : out.str();
}

std::string EncodedShapes(const ShapeList& shapes, double deflection, const Gltf::GltfSettings& settings, bool binary,
                          const std::optional<std::string>& pageTitle)
{
    LeftOut leftOut;
    const std::string encoded = Framed([&] {
        const std::optional<tinygltf::Model> model = ModelOf(shapes, deflection, settings, leftOut);
        return model ? Encoded(*model, binary, pageTitle) : std::string();
    });
    return leftOut.Told(encoded);
}

} // namespace

KGltfFileService::KGltfFileService()
{
    SetName(L"glTF");
    SetTitle(L"glTF 2.0 display model");
    SetFileFilter(L"*.glb;*.gltf;*.html");
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
    return EncodedShapes(shapes, deflection, {modelUnit, edges, texCoords}, binary, std::nullopt);
}

std::string KGltfFileService::EncodePage(const ShapeList& shapes, const std::string& title) const
{
    return EncodedShapes(shapes, deflection, {modelUnit, edges, texCoords}, true, title);
}

void KGltfFileService::SaveFile(const ShapeList& shapes, const std::wstring& path)
{
    const std::string target = KStringUtil::w2a(path);
    SetOk();
    LeftOut leftOut;
    const std::wstring extension = Extension(path);
    const bool binary = extension == L".glb";
    const std::optional<std::string> pageTitle =
        extension == L".html" ? std::make_optional(Stem(path)) : std::nullopt;
    if (!KORR_CHECK_WHY(binary || pageTitle || extension == L".gltf", "Not a .glb, .gltf or .html file!",
                        InvalidArgument, "path must end in .glb, .gltf or .html, got " + target))
        return ConcernsFile(target);
    const std::optional<tinygltf::Model> model = ModelOf(shapes, deflection, {modelUnit, edges, texCoords}, leftOut);
    if (!model)
        return ConcernsFile(target);
    const bool written = ReplaceFile(target, [&](const std::string& file) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        if (pageTitle) {
            const std::string page = Encoded(*model, binary, pageTitle);
            if (page.empty())
                return false;
            out.write(page.data(), static_cast<std::streamsize>(page.size()));
        } else if (!WriteModel(*model, binary, out)) {
            return false;
        }
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
