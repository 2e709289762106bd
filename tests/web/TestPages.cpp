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

// Copies of the part on a grid, `perRow` to a row `spacing` apart, in a
// compound; each use is of a product named by `products` (only the product:
// then a node's name is that name whether or not the writer keeps the
// assembly's levels).
ShapePtr Grid(const ShapePtr& part, std::size_t count, std::size_t perRow, double spacing,
              const std::vector<std::string>& products)
{
    ShapeList uses;
    for (std::size_t k = 0; k < count; ++k)
        uses.push_back(KFeatureTools::Translate(
            part, Vector3(spacing * static_cast<double>(k % perRow), spacing * static_cast<double>(k / perRow), 0)));
    const ShapePtr grid = KBrepTools::MakeCompound(uses);
    const std::vector<TopoDS_Shape> children = Children(grid);
    for (std::size_t k = 0; k < count; ++k)
        KShapeAttributes::SetProductName(grid, Holding(children[k]), KStringUtil::a2w(products[k % products.size()]));
    return grid;
}

void Describe(const ShapePtr& root, const TopoDS_Shape& use, const wchar_t* instance, const wchar_t* product,
              const KColor& colour)
{
    KShapeAttributes::SetName(root, Holding(use), instance);
    KShapeAttributes::SetProductName(root, Holding(use), product);
    KShapeAttributes::SetColor(root, Holding(use), colour);
}

// A rig: a grey pair of brackets (two uses of one box, red and green) and a
// blue knob, each use with an instance name and a product name.
ShapePtr NestedAssembly()
{
    const ShapePtr box = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(10, 10, 10));
    const ShapePtr pair = KBrepTools::MakeCompound({box, KFeatureTools::Translate(box, Vector3(20, 0, 0))});
    const ShapePtr rig = KBrepTools::MakeCompound({pair, KBrepTools::MakeSphere(Vector3(15, 30, 5), 8)});
    const std::vector<TopoDS_Shape> uses = Children(rig), brackets = Children(Holding(Children(rig)[0]));
    Describe(rig, uses[0], L"left pair", L"bracket pair", KColor{0.5f, 0.5f, 0.5f});
    Describe(rig, uses[1], L"top knob", L"knob", KColor{0, 0, 1});
    Describe(rig, brackets[0], L"bracket 1", L"bracket", KColor{1, 0, 0});
    Describe(rig, brackets[1], L"bracket 2", L"bracket", KColor{0, 1, 0});
    return rig;
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
        shape = Grid(KBrepTools::MakeCylinder(Vector3::ZERO, Vector3::UNIT_Z, 4, 12, 360), std::stoul(args[1]), 25,
                     12, {"pin"});
    } else {
        std::cerr << "usage: korrgeom_test_pages hostile NAMES.json OUT | assembly OUT | copies N OUT\n";
        return 2;
    }
    KGltfFileService().SaveFile({shape}, KStringUtil::a2w(args.back()));
    const bool saved = KLastOutcome().Code == KOutcomeCode::Ok;
    std::cerr << (saved ? "" : args.back() + ": " + KLastOutcome().Message + "\n");
    return saved ? 0 : 1;
}
