#include "Batch.h"

#include <KorrGeomCore/Service/KFileBatch.h>
#include <Standard_Failure.hxx>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <map>
#include <system_error>

#include "ProgressBar.h"
#include "ShapeFiles.h"

namespace korrgeom {

using namespace KorrCore;
namespace fs = std::filesystem;

namespace {

bool IsShapeFile(const fs::path& path)
{
    return KindOfOutput(path.string()) == OutputKind::Shape;
}

// Folders give their shape files, sorted; files stay as given, so that a
// missing one fails as such.
std::vector<fs::path> Inputs(const std::vector<std::string>& given)
{
    std::vector<fs::path> inputs;
    for (const std::string& input : given) {
        std::error_code error;
        if (!fs::is_directory(input, error)) {
            inputs.emplace_back(input);
            continue;
        }
        std::vector<fs::path> found;
        for (const fs::directory_entry& entry : fs::directory_iterator(input, error))
            if (entry.is_regular_file(error) && IsShapeFile(entry.path()))
                found.push_back(entry.path());
        std::sort(found.begin(), found.end());
        inputs.insert(inputs.end(), found.begin(), found.end());
    }
    return inputs;
}

// Each input's name in the output folder: its stem, or where stems collide
// its whole file name, then a number.
std::vector<std::string> OutputNames(const std::vector<fs::path>& inputs)
{
    std::map<std::string, int> stems, taken;
    for (const fs::path& input : inputs)
        ++stems[input.stem().string()];
    std::vector<std::string> names;
    for (const fs::path& input : inputs) {
        std::string name = stems[input.stem().string()] > 1 ? input.filename().string() : input.stem().string();
        if (const int uses = taken[name]++; uses > 0)
            name += '-' + std::to_string(uses + 1);
        names.push_back(name);
    }
    return names;
}

// Every format for one loaded shape; the first failure is the file's.
std::string Convert(const ShapePtr& shape, const std::string& base, const BatchRequest& request)
{
    std::string error;
    try {
        for (const std::string& format : request.formats) {
            const std::string path = base + '.' + format;
            const bool written = KindOfOutput(path) == OutputKind::Display
                                     ? WriteDisplayFile({shape}, request.deflection, path, error)
                                     : SaveShapeFile({shape}, shape->GetBBox(), path, error);
            if (!written)
                return error;
        }
    } catch (const Standard_Failure& failure) {
        // The explorers that check a saved file let the kernel's exceptions
        // through: they fail this file, not the batch.
        return std::string("the kernel failed: ") + failure.DynamicType()->Name() + ": " + failure.GetMessageString();
    }
    return {};
}

int Refuse(const std::string& message)
{
    std::cerr << "korrgeom: " << message << '\n';
    return EXIT_FAILURE;
}

} // namespace

int RunBatch(const BatchRequest& request)
{
    for (const std::string& format : request.formats)
        if (KindOfOutput("file." + format) == OutputKind::Unknown)
            return Refuse(format + ": not a format korrgeom writes (glb, gltf, html, brep, step, iges)");
    std::error_code made;
    fs::create_directories(request.outDir, made);
    if (made)
        return Refuse("cannot make the folder " + request.outDir + " (" + made.message() + ")");
    const std::vector<fs::path> inputs = Inputs(request.inputs);
    const std::vector<std::string> names = OutputNames(inputs);
    std::vector<std::wstring> paths;
    for (const fs::path& input : inputs)
        paths.push_back(KStringUtil::a2w(input.string()));

    std::vector<std::string> errors(inputs.size());
    ProgressBar bar("converting " + std::to_string(inputs.size()) + " files");
    KBatchOptions options;
    options.Workers = request.workers;
    options.Progress = &bar;
    const auto start = std::chrono::steady_clock::now();
    KFileBatch::LoadFiles(paths, options, [&](std::size_t i, const KBatchFile& file) {
        errors[i] = file.Shape ? Convert(file.Shape, (fs::path(request.outDir) / names[i]).string(), request)
                               : Reason(file.Outcome, "cannot read " + inputs[i].string());
    });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const auto failed = std::count_if(errors.begin(), errors.end(), [](const std::string& e) { return !e.empty(); });
    std::cout << std::fixed << std::setprecision(2) << "converted  " << inputs.size() - failed << " of "
              << inputs.size() << " files into " << request.outDir << " in " << seconds << " s\n";
    std::cout.flush();
    for (std::size_t i = 0; i < inputs.size(); ++i)
        if (!errors[i].empty())
            std::cerr << "korrgeom: " << inputs[i].string() << ": " << errors[i] << '\n';
    return failed == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace korrgeom
