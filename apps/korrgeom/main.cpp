// korrgeom: the display data of a scene. Builds the scene (or reads it from a
// BRep file), keeps its first shape in a BRep file and checks it reads back the
// same, meshes each shape in one call (or, with --per-face, tessellates every
// face and samples every edge through their own calls and joins the results),
// writes a glTF file or a viewer page through the library's glTF writer and
// prints what each stage did.

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>

#include <CLI/CLI.hpp>
#include <Standard_Failure.hxx>

#include "BrepRoundTrip.h"
#include "DisplayRoundTrip.h"
#include "Scene.h"
#include "SceneFile.h"
#include "SceneMeshes.h"
#include "ShapeSummary.h"

namespace {

// Runs the stage and returns how long it took, in milliseconds.
template <class Stage>
double Milliseconds(Stage&& stage)
{
    const auto start = std::chrono::steady_clock::now();
    stage();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::string Number(double value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string PositiveNumber(const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    const bool positive = end != text.c_str() && *end == '\0' && std::isfinite(value) && value > 0;
    return positive ? std::string() : "must be a positive number";
}

// The per-face round trip: each face tessellated and each edge sampled by
// its own call, joined into one mesh by the host.
bool PerFaceRoundTrip(const korrgeom::Scene& scene, double deflection, std::string& error)
{
    korrgeom::DisplayMesh mesh;
    korrgeom::Tally faces, edges;
    const double tessellateTime = Milliseconds([&] {
        for (const korrgeom::NamedShape& named : scene)
            if (named.shape)
                faces += korrgeom::AddFaces(named.shape, deflection, mesh);
    });
    const double sampleTime = Milliseconds([&] {
        for (const korrgeom::NamedShape& named : scene)
            if (named.shape)
                edges += korrgeom::AddEdges(named.shape, deflection, mesh);
    });
    if (mesh.TriangleCount() == 0 && mesh.LinePointCount() == 0) {
        error = "nothing to display: no face or edge could be meshed with deflection " + Number(deflection);
        return false;
    }
    std::cout << "faces      " << faces.listed << " listed, " << faces.added << " tessellated: "
              << mesh.TriangleCount() << " triangles, " << mesh.NodeCount() << " nodes\n"
              << "edges      " << edges.listed << " listed, " << edges.added << " drawn: " << mesh.LinePointCount()
              << " polyline points\n"
              << "time (ms)  tessellate " << tessellateTime << ", sample " << sampleTime << '\n';
    return true;
}

// The whole shape in one call each: faces, edges and instances at once.
bool WholeShapeMeshes(const korrgeom::Scene& scene, double deflection, std::string& error)
{
    std::vector<korrgeom::NamedMesh> meshes;
    const double meshTime = Milliseconds([&] { meshes = korrgeom::MeshScene(scene, deflection); });
    if (meshes.empty()) {
        error = "nothing to display: no shape could be meshed with deflection " + Number(deflection);
        return false;
    }
    const korrgeom::MeshTotals totals = korrgeom::Totals(meshes);
    std::cout << "faces      " << totals.faces << " distinct, " << totals.meshedFaces << " meshed: " << totals.triangles
              << " triangles, " << totals.nodes << " nodes\n"
              << "edges      " << totals.edges << " distinct, " << totals.drawnEdges << " drawn: " << totals.linePoints
              << " polyline points\n"
              << "instances  " << totals.instances << " of " << totals.parts << " parts in " << meshes.size()
              << " shapes\n"
              << "time (ms)  mesh " << meshTime << '\n';
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"KorrGeomCore demo: the display data of shapes, written to a glTF file or a viewer page"};
    std::string input;
    std::string output = "korrgeom.glb";
    std::string brepOutput = "korrgeom.brep";
    double deflection = 0.1;
    bool perFace = false;
    app.add_option("-i,--input", input, "BRep file to display instead of the embedded scene");
    app.add_option("-o,--output", output,
                   "file to write: binary glTF (.glb), glTF JSON (.gltf) or a page that shows the model in a browser "
                   "(.html)")
        ->capture_default_str();
    app.add_option("-b,--brep", brepOutput, "BRep file the first shape is saved to and read back from")
        ->capture_default_str();
    app.add_option("-d,--deflection", deflection, "largest distance of mesh and polylines from the surfaces, model units")
        ->capture_default_str()
        ->check(PositiveNumber);
    app.add_flag("--per-face", perFace,
                 "tessellate face by face and sample edge by edge, as the host's round trip does, instead of "
                 "meshing each shape in one call (the file is written alike)");
    CLI11_PARSE(app, argc, argv);

    const korrgeom::SceneSource source = input.empty() ? korrgeom::EmbeddedScene() : korrgeom::FileScene(input);
    korrgeom::Scene scene;
    const double buildTime = Milliseconds([&] { scene = source.build(); });
    if (scene.empty()) {
        std::cerr << "korrgeom: cannot read " << input << ": missing, unreadable or not a valid BRep file\n";
        return 1;
    }
    // Before meshing: a shape's bounding box grows to cover its triangulation.
    std::cout << "korrgeom: " << source.description << ", deflection " << deflection
              << (perFace ? ", face by face" : ", one call per shape") << "\n\n"
              << std::setprecision(6);
    for (const korrgeom::NamedShape& named : scene)
        korrgeom::PrintShapeSummary(std::cout, named);

    std::string problem;
    bool sameAfterRoundTrip = false;
    const double brepTime =
        Milliseconds([&] { sameAfterRoundTrip = korrgeom::BrepRoundTrip(scene.front().shape, brepOutput, problem); });
    if (!sameAfterRoundTrip) {
        std::cerr << "korrgeom: BRep round trip failed: " << problem << '\n';
        return 1;
    }

    std::cout << std::fixed << std::setprecision(1) << "\nbuilt in   " << buildTime << " ms\n"
              << "brep       " << brepOutput << " saved and read back in " << brepTime
              << " ms: same kind and bounding box\n";
    std::string error;
    bool meshed = false, written = false;
    try {
        meshed = perFace ? PerFaceRoundTrip(scene, deflection, error) : WholeShapeMeshes(scene, deflection, error);
    } catch (const Standard_Failure& failure) {
        // The explorers let the kernel's exceptions through to their caller.
        error = std::string("the kernel failed: ") + failure.DynamicType()->Name() + ": " + failure.GetMessageString();
    }
    const double writeTime =
        Milliseconds([&] { written = meshed && korrgeom::WriteSceneFile(scene, deflection, output, error); });
    if (!written) {
        std::cerr << "korrgeom: " << error << '\n';
        return 1;
    }
    std::cout << "wrote      " << output << " (" << std::filesystem::file_size(output) / 1024.0 << " kB) in "
              << writeTime << " ms\n";
    return 0;
}
