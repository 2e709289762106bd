#include "ShapeFiles.h"

#include <KorrGeomCore/Service/KFileServices.h>
#include <KorrGeomCore/Service/KGltfFileService.h>
#include <KorrGeomCore/Service/KNativeBrepFileService.h>

#include <algorithm>
#include <iomanip>
#include <memory>
#include <sstream>

#include "ProgressBar.h"
#include "Scene.h"

namespace korrgeom {

using namespace KorrCore;

namespace {

bool LastCallWorked()
{
    return KLastOutcome().Code == KOutcomeCode::Ok;
}

// The service for a shape file: glTF's saves models but loads no shapes.
std::shared_ptr<KBrepFileService> ShapeService(const std::string& path)
{
    std::shared_ptr<KBrepFileService> service = KFileServices::ForFile(KStringUtil::a2w(path));
    return dynamic_cast<KGltfFileService*>(service.get()) ? nullptr : service;
}

// How far apart the boxes' corners are, as a fraction of the first's size.
double BoxOffset(const KMath::AxisAlignedBox& a, const KMath::AxisAlignedBox& b)
{
    const double offset =
        std::max((a.getMinimum() - b.getMinimum()).length(), (a.getMaximum() - b.getMaximum()).length());
    return offset / std::max(1.0, (a.getMaximum() - a.getMinimum()).length());
}

std::size_t FaceCount(const ShapeList& shapes)
{
    ShapeList faces;
    for (const ShapePtr& shape : shapes)
        KTopoFaceExplor::Explor(shape, faces);
    return faces.size();
}

std::string Percent(double fraction)
{
    std::ostringstream text;
    text << std::setprecision(2) << fraction * 100 << " %";
    return text.str();
}

} // namespace

QuietReports::QuietReports() : previous(KcAssert::SetReportHandler([](const std::string&, const char*, int) {})) {}

QuietReports::~QuietReports()
{
    KcAssert::SetReportHandler(previous);
}

std::string Reason(const std::string& fallback)
{
    return Reason(KLastOutcome(), fallback);
}

std::string Reason(const KOutcome& outcome, const std::string& fallback)
{
    if (outcome.Message.empty())
        return fallback;
    return outcome.Detail.empty() ? outcome.Message : outcome.Message + " (" + outcome.Detail + ")";
}

OutputKind KindOfOutput(const std::string& path)
{
    const std::shared_ptr<KBrepFileService> service = KFileServices::ForFile(KStringUtil::a2w(path));
    if (!service)
        return OutputKind::Unknown;
    return dynamic_cast<KGltfFileService*>(service.get()) ? OutputKind::Display : OutputKind::Shape;
}

ShapePtr ReadShapeFile(const std::string& path, std::string& error)
{
    const std::shared_ptr<KBrepFileService> service = ShapeService(path);
    if (!service) {
        error = path + ": not a shape file (.brep, .step or .iges)";
        return nullptr;
    }
    ProgressBar bar("reading " + path);
    service->SetProgressIndicator(&bar);
    ShapePtr shape = service->LoadFile(KStringUtil::a2w(path));
    if (!shape)
        error = Reason("cannot read " + path);
    service->SetProgressIndicator(nullptr);
    return shape;
}

bool SaveShapeFile(const ShapeList& shapes, const KMath::AxisAlignedBox& box, const std::string& path,
                   std::string& error)
{
    const std::shared_ptr<KBrepFileService> service = ShapeService(path);
    const std::wstring widePath = KStringUtil::a2w(path);
    ProgressBar bar("saving " + path);
    service->SetProgressIndicator(&bar);
    service->SaveFile(shapes, widePath);
    const bool written = LastCallWorked();
    if (!written)
        error = Reason("cannot save " + path);
    // OnLoadFile, not LoadFile: the service's cache could hold an earlier
    // read of the same path.
    const ShapePtr readBack = written ? service->OnLoadFile(widePath) : nullptr;
    if (written && !readBack)
        error = Reason("cannot read back " + path);
    service->SetProgressIndicator(nullptr);

    // Formats keep several shapes in a compound, and may unwrap a compound;
    // STEP keeps a loose face as a shell of one face.
    const TopoShapeType saved = shapes.size() == 1 ? shapes.front()->GetShapeType() : TopoCompound;
    if (!readBack)
        return false;
    if (const TopoShapeType read = readBack->GetShapeType();
        read != saved && read != TopoCompound && saved != TopoCompound && !(saved == TopoFace && read == TopoShell))
        error = path + " read back as a " + KindName(read) + ", not a " + KindName(saved);
    else if (const double offset = BoxOffset(box, readBack->GetBBox());
             dynamic_cast<KNativeBrepFileService*>(service.get()) && !(offset <= 1e-6))
        error = path + " read back with a bounding box " + Percent(offset) + " of its size away";
    // The translators rebuild the geometry, whose boxes then come from other
    // curves and surfaces: what must come back is every face.
    else if (const std::size_t faces = FaceCount({readBack}); faces != FaceCount(shapes))
        error = path + " read back with " + std::to_string(faces) + " faces, not " + std::to_string(FaceCount(shapes));
    return error.empty();
}

bool WriteDisplayFile(const ShapeList& shapes, double deflection, const std::string& path, std::string& error)
{
    KGltfFileService gltf;
    gltf.SetDeflection(deflection);
    gltf.SaveFile(shapes, KStringUtil::a2w(path));
    const bool written = LastCallWorked();
    if (!written)
        error = Reason("cannot write " + path);
    return written;
}

} // namespace korrgeom
