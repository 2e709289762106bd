#include "SceneFile.h"

#include <KorrGeomCore/Service/KGltfFileService.h>

#include <filesystem>
#include <fstream>

#include "ViewerPage.h"

namespace korrgeom {

namespace {

using namespace KorrCore;

// Keeps the library's last failure report while it lives, instead of letting
// it go to standard error.
class LastReport {
public:
    LastReport()
        : previous(
              KcAssert::SetReportHandler([this](const std::string& reported, const char*, int) { message = reported; }))
    {
    }
    ~LastReport() { KcAssert::SetReportHandler(previous); }
    LastReport(const LastReport&) = delete;
    LastReport& operator=(const LastReport&) = delete;

    std::string message;

private:
    KcAssert::ReportHandler previous;
};

bool WritePage(const KGltfFileService& service, const ShapeList& shapes, const std::string& path, std::string& error)
{
    const std::string model = service.Encode(shapes, false);
    if (model.empty())
        return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << ViewerPage(std::filesystem::path(path).stem().string(), model);
    out.close();
    if (!out)
        error = "cannot write " + path;
    return static_cast<bool>(out);
}

} // namespace

bool WriteSceneFile(const Scene& scene, double deflection, const std::string& path, std::string& error)
{
    ShapeList shapes;
    for (const NamedShape& named : scene)
        if (named.shape)
            shapes.push_back(named.shape);
    KGltfFileService service;
    service.SetDeflection(deflection);

    const std::string extension = std::filesystem::path(path).extension().string();
    LastReport report;
    bool written = false;
    if (extension == ".html") {
        written = WritePage(service, shapes, path, error);
    } else if (extension == ".glb" || extension == ".gltf") {
        service.SaveFile(shapes, KStringUtil::a2w(path));
        written = report.message.empty();
    } else {
        error = path + ": the output is a .glb, .gltf or .html file";
        return false;
    }
    if (!written && error.empty())
        error = path + ": " + report.message;
    return written;
}

} // namespace korrgeom
