#pragma once

#include <string>

#include <KorrGeomCore/KorrGeomCore.h>

namespace korrgeom {

// What an output path asks for, by its extension: a display model (.glb,
// .gltf or the .html viewer page), or a shape file that a registered file
// service writes (.brep, .step, .iges and their other spellings).
enum class OutputKind { Display, Shape, Unknown };

// Silences the library's reports while it lives, so that a failure ends in
// one line of ours (from the outcome) rather than the library's line and ours.
// One for the whole run: the report handler is the process's, and the
// functions below run on several threads at once in a batch.
class QuietReports {
public:
    QuietReports();
    ~QuietReports();
    QuietReports(const QuietReports&) = delete;
    QuietReports& operator=(const QuietReports&) = delete;

private:
    KorrCore::KcAssert::ReportHandler previous;
};

// An outcome as the one line a failure ends with: "<Message> (<Detail>)", or
// `fallback` when it gave no message.
std::string Reason(const KorrCore::KOutcome& outcome, const std::string& fallback);
// The same of the calling thread's last call into the library.
std::string Reason(const std::string& fallback);

// Call once the library's file services are registered
// (KFileServices::RegisterAll).
OutputKind KindOfOutput(const std::string& path);

// The shape in a file, read by the service its extension names. Null, with
// the reason in `error`, for a missing, damaged or foreign file.
KorrCore::ShapePtr ReadShapeFile(const std::string& path, std::string& error);

// Saves the shapes through the service the extension names, then reads the
// file afresh and compares: the shape read must be of the kind saved (where
// neither is a compound: formats keep shapes in compounds, BRep files always,
// and may unwrap them), with `box` within a millionth of its size. `box` is the shapes' box
// taken before meshing, which widens a box to cover the mesh.
bool SaveShapeFile(const KorrCore::ShapeList& shapes, const KMath::AxisAlignedBox& box, const std::string& path,
                   std::string& error);

// Writes the shapes as a display model through KGltfFileService: binary glTF
// (.glb), glTF JSON (.gltf), or the viewer page with the model inside
// (.html). A deflection of 0 lets the mesher derive it from each shape.
bool WriteDisplayFile(const KorrCore::ShapeList& shapes, double deflection, const std::string& path,
                      std::string& error);

} // namespace korrgeom
