// Writes a large STEP assembly for measuring loads of real size: modules of
// distinct machined parts (each a block of its own size, cut by a pocket of
// its own and filleted), every part and module named and every part
// coloured, through the library's STEP writer. Parts are added until the
// file reaches about the size asked for, in megabytes:
//
//   korrgeom_make_large_step out.stp 20
//
// Its output is data for benchmarks, never part of the repository.

#include <KorrGeomCore/KorrGeomCore.h>
#include <KorrGeomCore/Service/KStepFileService.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

using namespace KorrCore;
using KMath::Vector3;

namespace {

constexpr int kPartsPerModule = 25;
// The parts that make a probe file, whose size tells how many make the file.
constexpr int kProbeParts = 2 * kPartsPerModule;

// Part `i`: no two alike, so that each is a product of its own in the file.
ShapePtr MachinedPart(int i)
{
    const double unique = i * 1e-3;
    const Vector3 size(30 + i % 7 + unique, 20 + i % 11, 12 + i % 5);
    const ShapePtr block = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, size);
    const ShapePtr pocket = KBrepTools::MakeBox(Vector3(5, 5, 4 + i % 3), Vector3::UNIT_Z,
                                                Vector3(size.x - 10 - i % 4, size.y - 10, size.z));
    const ShapePtr cut = KFeatureTools::Boolean(block, pocket, BooleanCut);
    const ShapePtr filleted = KFeatureTools::Fillet(cut, 0.8 + (i % 4) * 0.2);
    return filleted ? filleted : cut;
}

KColor PartColour(int i)
{
    const double hue = i * 0.618034;
    return {static_cast<float>(0.5 + 0.5 * std::sin(6.2832 * hue)),
            static_cast<float>(0.5 + 0.5 * std::sin(6.2832 * (hue + 0.333))),
            static_cast<float>(0.5 + 0.5 * std::sin(6.2832 * (hue + 0.667)))};
}

// Modules of parts laid out in a row of their own each.
ShapeList Assembly(int parts)
{
    ShapeList modules;
    for (int first = 0; first < parts; first += kPartsPerModule) {
        ShapeList placed;
        for (int i = first; i < std::min(parts, first + kPartsPerModule); ++i)
            placed.push_back(KFeatureTools::Translate(MachinedPart(i), Vector3((i - first) * 50.0, first * 2.0, 0)));
        const ShapePtr module = KBrepTools::MakeCompound(placed);
        KShapeAttributes::SetProductName(module, module, L"module-" + std::to_wstring(first / kPartsPerModule));
        int i = first;
        for (const ShapePtr& part : placed) {
            KShapeAttributes::SetProductName(module, part, L"part-" + std::to_wstring(i));
            KShapeAttributes::SetName(module, part, L"part-" + std::to_wstring(i) + L" use");
            KShapeAttributes::SetColor(module, part, PartColour(i));
            ++i;
        }
        modules.push_back(module);
    }
    return modules;
}

bool Write(const ShapeList& shapes, const std::filesystem::path& path)
{
    KStepFileService service;
    // A file of hundreds of megabytes takes the writer far beyond a load's
    // default limits.
    service.SetTimeLimit(std::chrono::hours(2));
    service.SetMemoryLimit(std::uint64_t{20} << 30);
    service.SaveFile(shapes, path.wstring());
    if (KLastOutcome().Code == KOutcomeCode::Ok)
        return true;
    std::cerr << "korrgeom_make_large_step: " << KLastOutcome().Message << " (" << KLastOutcome().Detail << ")\n";
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    const double megabytes = argc == 3 ? std::atof(argv[2]) : 0.0;
    if (!(megabytes > 0)) {
        std::cerr << "usage: korrgeom_make_large_step OUT.stp MEGABYTES\n";
        return EXIT_FAILURE;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::path probe = out;
    probe += ".probe.stp";
    if (!Write(Assembly(kProbeParts), probe))
        return EXIT_FAILURE;
    const double perPart = static_cast<double>(std::filesystem::file_size(probe)) / kProbeParts;
    std::filesystem::remove(probe);
    const int parts = std::max(1, static_cast<int>(megabytes * 1e6 / perPart));
    std::cout << parts << " parts of about " << perPart / 1e3 << " kB each\n";
    if (!Write(Assembly(parts), out))
        return EXIT_FAILURE;
    std::cout << out.string() << ": " << std::filesystem::file_size(out) / 1e6 << " MB\n";
    return EXIT_SUCCESS;
}
