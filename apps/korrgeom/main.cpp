// korrgeom: what a host does to show shapes. Builds the embedded scene or
// reads a shape file, saves and checks the shape files asked for, meshes each
// shape with one KShapeMesher call (with --per-face, also face by face and
// edge by edge through the explorers, and compares), writes the display files
// asked for and prints what each stage did and how long it took. Given
// several inputs, a folder or --out-dir, converts them all, one worker per
// core.

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>
#include <KorrGeomCore/KorrGeomCore.h>
#include <KorrGeomCore/Service/KFileServices.h>
#include <Standard_Failure.hxx>

#include "Batch.h"
#include "MeshCounts.h"
#include "PerFace.h"
#include "ProgressBar.h"
#include "Scene.h"
#include "ShapeFiles.h"

namespace {

using namespace KorrCore;
using korrgeom::MeshCounts;

struct Options {
    std::vector<std::string> inputs;
    std::string outDir;
    std::vector<std::string> formats;
    unsigned workers = 0;
    std::string input;
    std::vector<std::string> outputs;
    double deflection = 0.0;
    bool perFace = false;
};

// Runs the stage and returns how long it took, in milliseconds.
template <class Stage> double Milliseconds(Stage&& stage)
{
    const auto start = std::chrono::steady_clock::now();
    stage();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

int Fail(const std::string& message)
{
    // After what the stages printed, when both streams go to one file.
    std::cout.flush();
    std::cerr << "korrgeom: " << message << '\n';
    return EXIT_FAILURE;
}

std::string PositiveNumber(const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    const bool positive = end != text.c_str() && *end == '\0' && std::isfinite(value) && value > 0;
    return positive ? std::string() : "must be a positive number";
}

// Six significant digits, whatever the stream's fixed format for times.
std::string Number(double value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string Box(const KMath::AxisAlignedBox& box)
{
    const KMath::Vector3 low = box.getMinimum(), high = box.getMaximum();
    return '(' + Number(low.x) + ", " + Number(low.y) + ", " + Number(low.z) + ") - (" + Number(high.x) + ", " +
           Number(high.y) + ", " + Number(high.z) + ')';
}

std::string Counts(const MeshCounts& counts)
{
    std::ostringstream text;
    text << counts.faces << " faces (" << counts.meshedFaces << " meshed), " << counts.triangles << " triangles, "
         << counts.nodes << " nodes, " << counts.edges << " edges (" << counts.drawnEdges << " drawn), "
         << counts.edgePoints << " points";
    return text.str();
}

std::string FileSize(const std::string& path)
{
    std::ostringstream text;
    text << std::fixed << std::setprecision(1) << std::filesystem::file_size(path) / 1024.0 << " kB";
    return text.str();
}

// The explorers' face-by-face data must show what the mesher's does: the same
// faces, triangles and nodes, and the same edges drawn. Their edge points may
// differ: the mesher takes each edge from the face meshes, so that lines and
// surfaces meet, where the edge explorer samples the curve on its own.
bool SameDisplay(const MeshCounts& mesher, const MeshCounts& perFace)
{
    return mesher.faces == perFace.faces && mesher.meshedFaces == perFace.meshedFaces &&
           mesher.triangles == perFace.triangles && mesher.nodes == perFace.nodes &&
           mesher.drawnEdges == perFace.drawnEdges;
}

korrgeom::Scene LoadScene(const std::string& input, std::string& error)
{
    if (input.empty()) {
        korrgeom::Scene scene = korrgeom::EmbeddedScene();
        for (const korrgeom::NamedShape& named : scene)
            if (!named.shape)
                error = "the kernel could not build the " + named.name;
        return scene;
    }
    return {{std::filesystem::path(input).stem().string(), korrgeom::ReadShapeFile(input, error)}};
}

// Shape files come first: the box they are checked against is the one
// before meshing, which widens a box to cover the mesh.
bool SaveShapeFiles(const std::vector<std::string>& outputs, const ShapeList& shapes, std::string& error)
{
    const KMath::AxisAlignedBox box = KBrepTools::MakeCompound(shapes)->GetBBox();
    for (const std::string& path : outputs) {
        if (korrgeom::KindOfOutput(path) != korrgeom::OutputKind::Shape)
            continue;
        bool saved = false;
        const double time = Milliseconds([&] { saved = korrgeom::SaveShapeFile(shapes, box, path, error); });
        if (!saved)
            return false;
        std::cout << "saved      " << path << ", " << FileSize(path) << " in " << time
                  << " ms, read back and checked\n";
    }
    return true;
}

bool MeshScene(const korrgeom::Scene& scene, double deflection, std::vector<KShapeMesh>& meshes, std::string& error)
{
    KMeshOptions options;
    options.Deflection = deflection;
    options.NormalizeUV = true;
    meshes.resize(scene.size());
    const double time = Milliseconds([&] {
        for (std::size_t i = 0; i < scene.size() && error.empty(); ++i) {
            korrgeom::ProgressBar bar("meshing " + scene[i].name);
            options.Progress = &bar;
            if (!KShapeMesher::Mesh(scene[i].shape, options, meshes[i]))
                error = korrgeom::Reason("cannot mesh " + scene[i].name);
        }
    });
    if (!error.empty())
        return false;
    std::cout << "meshed     " << time << " ms\n";
    MeshCounts total;
    std::size_t parts = 0, instances = 0;
    for (std::size_t i = 0; i < scene.size(); ++i) {
        total += MeshCounts(meshes[i]);
        parts += meshes[i].Parts.size();
        instances += meshes[i].Instances.size();
        std::cout << "  " << scene[i].name << ": deflection " << Number(meshes[i].Deflection) << ", "
                  << Counts(MeshCounts(meshes[i])) << '\n';
    }
    std::cout << "  total: " << parts << " parts placed " << instances << " times, " << Counts(total) << '\n';
    if (total.triangles == 0 && total.edgePoints == 0)
        error = "nothing to display: no face or edge could be meshed";
    return error.empty();
}

// Each shape again, face by face and edge by edge through the explorers, with
// the deflection the mesher used: the kernel keeps the triangulations, so
// both must show the same triangles.
bool CompareFaceByFace(const korrgeom::Scene& scene, const std::vector<KShapeMesh>& meshes, std::string& error)
{
    const double time = Milliseconds([&] {
        for (std::size_t i = 0; i < scene.size(); ++i) {
            const MeshCounts perFace(korrgeom::MeshFaceByFace(scene[i].shape, meshes[i].Deflection));
            const MeshCounts mesher(meshes[i]);
            std::cout << "per face   " << scene[i].name << ": ";
            if (SameDisplay(mesher, perFace)) {
                std::cout << "the same faces, triangles, nodes and drawn edges; " << perFace.edgePoints
                          << " edge points (mesher: " << mesher.edgePoints << ")\n";
            } else {
                std::cout << "DIFFERS: " << Counts(perFace) << "\n    mesher: " << Counts(mesher) << '\n';
                error = "the face-by-face data differs from the mesher's";
            }
        }
    });
    std::cout << "per face   " << time << " ms\n";
    return error.empty();
}

bool WriteDisplayFiles(const Options& options, const ShapeList& shapes, std::string& error)
{
    for (const std::string& path : options.outputs) {
        if (korrgeom::KindOfOutput(path) != korrgeom::OutputKind::Display)
            continue;
        bool written = false;
        const double time =
            Milliseconds([&] { written = korrgeom::WriteDisplayFile(shapes, options.deflection, path, error); });
        if (!written)
            return false;
        std::cout << "wrote      " << path << ", " << FileSize(path) << " in " << time << " ms\n";
    }
    return true;
}

int Run(const Options& options)
{
    std::string error;
    korrgeom::Scene scene;
    const double loadTime = Milliseconds([&] { scene = LoadScene(options.input, error); });
    if (!error.empty())
        return Fail(error);

    std::cout << std::fixed << std::setprecision(1)
              << "korrgeom: " << (options.input.empty() ? "the embedded scene" : options.input) << ", deflection "
              << (options.deflection > 0 ? Number(options.deflection) : "from each shape's size") << '\n'
              << (options.input.empty() ? "built      " : "read       ") << loadTime << " ms\n";
    ShapeList shapes;
    for (const korrgeom::NamedShape& named : scene) {
        std::cout << "  " << named.name << ": " << korrgeom::KindName(named.shape->GetShapeType()) << ", box "
                  << Box(named.shape->GetBBox()) << '\n';
        shapes.push_back(named.shape);
    }

    std::vector<KShapeMesh> meshes;
    const bool done =
        SaveShapeFiles(options.outputs, shapes, error) && MeshScene(scene, options.deflection, meshes, error) &&
        (!options.perFace || CompareFaceByFace(scene, meshes, error)) && WriteDisplayFiles(options, shapes, error);
    return done ? EXIT_SUCCESS : Fail(error);
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"KorrGeomCore demo: shapes built or read, saved, meshed and written as display models"};
    Options options;
    app.add_option("-i,--input", options.inputs,
                   "shape file to show instead of the embedded scene: .brep, .step, .iges; repeatable, or a folder, "
                   "to convert many with --out-dir");
    app.add_option("-o,--output", options.outputs,
                   "file to write, repeatable, its kind chosen by the extension: .glb, .gltf or .html (display "
                   "model), .brep, .step or .iges (shape file, read back and checked); korrgeom.glb when none");
    app.add_option("-d,--deflection", options.deflection,
                   "largest distance of mesh and polylines from the shapes, model units (default: from each shape's "
                   "size)")
        ->check(PositiveNumber);
    app.add_flag("--per-face", options.perFace,
                 "also tessellate face by face and sample edge by edge through the explorers, and check that they "
                 "agree with the mesher");
    app.add_option("--out-dir", options.outDir,
                   "folder to convert the inputs into, a file per input and format; implied by several inputs or "
                   "a folder");
    app.add_option("-f,--formats", options.formats,
                   "formats to convert into with --out-dir, comma-separated: glb, gltf, html, brep, step, iges "
                   "(default glb)")
        ->delimiter(',');
    app.add_option("-j,--jobs", options.workers, "files converted at once with --out-dir (default: one per core)");
    CLI11_PARSE(app, argc, argv);

    KFileServices::RegisterAll();
    const korrgeom::QuietReports quiet;
    std::error_code unreadable;
    const bool folder = options.inputs.size() == 1 && std::filesystem::is_directory(options.inputs.front(), unreadable);
    if (!options.outDir.empty() || options.inputs.size() > 1 || folder) {
        if (options.outDir.empty())
            return Fail("several inputs, or a folder, need --out-dir");
        if (!options.outputs.empty() || options.perFace)
            return Fail("-o and --per-face are for one input; with --out-dir, choose formats with -f");
        if (options.formats.empty())
            options.formats = {"glb"};
        return korrgeom::RunBatch(
            {options.inputs, options.outDir, options.formats, options.deflection, options.workers});
    }
    if (!options.formats.empty())
        return Fail("-f is for --out-dir; name the files to write with -o");
    if (!options.inputs.empty())
        options.input = options.inputs.front();
    if (options.outputs.empty())
        options.outputs = {"korrgeom.glb"};
    for (const std::string& path : options.outputs)
        if (korrgeom::KindOfOutput(path) == korrgeom::OutputKind::Unknown)
            return Fail(path + ": not a file korrgeom writes (.glb, .gltf, .html, .brep, .step, .iges)");
    try {
        return Run(options);
    } catch (const Standard_Failure& failure) {
        // The explorers let the kernel's exceptions through to their caller.
        return Fail(std::string("the kernel failed: ") + failure.DynamicType()->Name() + ": " +
                    failure.GetMessageString());
    }
}
