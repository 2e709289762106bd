// Writes the viewer pages the browser checks open, through the library as a
// host writes them:
//   korrgeom_test_pages hostile NAMES.json OUT   boxes in a row, each named by one name of the list
//   korrgeom_test_pages assembly OUT             a nested assembly, each use in a colour of its own
//   korrgeom_test_pages copies N OUT             N located copies of one part, 25 to a row
// OUT ends in .html, .glb or .gltf.
#include <KorrGeomCore/Service/KGltfFileService.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <iostream>

#include "support/Checks.h"

using namespace KorrCore;
using KMath::Vector3;
using namespace KorrTest;

namespace {

// Copies of the part on a grid, `perRow` to a row `spacing` apart, in an
// assembly; each use is of a product named by `products`, and has no instance
// name, so that its node is named by the product.
ShapePtr Grid(const ShapePtr& part, std::size_t count, std::size_t perRow, double spacing,
              const std::vector<std::string>& products)
{
    std::vector<KAssemblyChild> uses;
    for (std::size_t k = 0; k < count; ++k)
        uses.emplace_back(part,
                          Moved(spacing * static_cast<double>(k % perRow), spacing * static_cast<double>(k / perRow)),
                          L"", KStringUtil::a2w(products[k % products.size()]));
    return KBrepTools::MakeAssembly(uses, L"");
}

// A rig: a grey pair of brackets (two uses of one box, red and green) and a
// blue knob, each use with an instance name and a product name.
ShapePtr NestedAssembly()
{
    const ShapePtr box = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(10, 10, 10));
    const ShapePtr pair = KBrepTools::MakeAssembly({{box, Moved(0), L"bracket 1", L"bracket", KColor{1, 0, 0}},
                                                    {box, Moved(20), L"bracket 2", L"bracket", KColor{0, 1, 0}}},
                                                   L"bracket pair");
    return KBrepTools::MakeAssembly(
        {{pair, Moved(0), L"left pair", L"", KColor{0.5f, 0.5f, 0.5f}},
         {KBrepTools::MakeSphere(Vector3(15, 30, 5), 8), Moved(0), L"top knob", L"knob", KColor{0, 0, 1}}},
        L"");
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    ShapePtr shape;
    if (args.size() == 3 && args[0] == "hostile") {
        const auto names = nlohmann::json::parse(std::ifstream(args[1])).get<std::vector<std::string>>();
        shape = Grid(KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(10, 10, 10)), names.size(),
                     names.size(), 15, names);
    } else if (args.size() == 2 && args[0] == "assembly") {
        shape = NestedAssembly();
    } else if (args.size() == 3 && args[0] == "copies") {
        shape = Grid(KBrepTools::MakeCylinder(Vector3::ZERO, Vector3::UNIT_Z, 4, 12, 360), std::stoul(args[1]), 25, 12,
                     {"pin"});
    } else {
        std::cerr << "usage: korrgeom_test_pages hostile NAMES.json OUT | assembly OUT | copies N OUT\n";
        return 2;
    }
    KGltfFileService().SaveFile({shape}, KStringUtil::a2w(args.back()));
    const bool saved = KLastOutcome().Code == KOutcomeCode::Ok;
    std::cerr << (saved ? "" : args.back() + ": " + KLastOutcome().Message + "\n");
    return saved ? 0 : 1;
}
