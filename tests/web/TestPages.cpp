// Writes the viewer pages the browser checks open, through the library as a
// host writes them:
//   korrgeom_test_pages hostile NAMES.json OUT.html  one box per name of the list, named by it
//   korrgeom_test_pages assembly OUT.html            a nested assembly, each use in a colour of its own
//   korrgeom_test_pages copies N OUT.html            N located copies of one part
#include <KorrGeomCore/KorrGeomCore.h>
#include <KorrGeomCore/Service/KGltfFileService.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <iostream>

#include "support/Checks.h"

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::Children;
using KorrTest::Holding;

namespace {

ShapePtr Box(double size)
{
    return KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(size, size, size));
}

// A compound of the shapes, each a use of a product of the given name.
ShapePtr Assembly(const ShapeList& uses, const std::vector<std::string>& products, const std::string& name)
{
    const ShapePtr assembly = KBrepTools::MakeCompound(uses);
    KShapeAttributes::SetProductName(assembly, assembly, KStringUtil::a2w(name));
    const std::vector<TopoDS_Shape> children = Children(assembly);
    for (std::size_t k = 0; k < children.size(); ++k)
        KShapeAttributes::SetProductName(assembly, Holding(children[k]), KStringUtil::a2w(products[k]));
    return assembly;
}

// Boxes in a row, each a product named by one of the names and nothing else,
// so that the node's name is that name whether or not the writer keeps the
// assembly's levels.
ShapePtr HostileNames(const std::string& namesFile)
{
    std::ifstream in(namesFile);
    const std::vector<std::string> names = nlohmann::json::parse(in).get<std::vector<std::string>>();
    ShapeList boxes;
    for (std::size_t k = 0; k < names.size(); ++k)
        boxes.push_back(KFeatureTools::Translate(Box(10), Vector3(15.0 * static_cast<double>(k), 0, 0)));
    const ShapePtr row = Assembly(boxes, names, "row");
    const std::vector<TopoDS_Shape> uses = Children(row);
    for (std::size_t k = 0; k < uses.size(); ++k) {
        const float shade = static_cast<float>(k) / static_cast<float>(uses.size());
        KShapeAttributes::SetColor(row, Holding(uses[k]), {shade, 0.5f, 1.0f - shade});
    }
    return row;
}

// A rig: a pair of brackets (two uses of one box, red and green) and a blue
// knob. Each use has an instance name and a product name of its own.
ShapePtr NestedAssembly()
{
    const ShapePtr bracket = Box(10);
    const ShapePtr pair = KBrepTools::MakeCompound({bracket, KFeatureTools::Translate(bracket, Vector3(20, 0, 0))});
    const ShapePtr knob = KBrepTools::MakeSphere(Vector3(15, 30, 5), 8);
    const ShapePtr rig = Assembly({pair, knob}, {"bracket pair", "knob"}, "rig");
    const ShapePtr pairUse = Holding(Children(rig).front());
    KShapeAttributes::SetName(rig, pairUse, L"left pair");
    KShapeAttributes::SetName(rig, Holding(Children(rig).back()), L"top knob");
    KShapeAttributes::SetColor(rig, Holding(Children(rig).back()), {0, 0, 1});
    const KColor colours[] = {{1, 0, 0}, {0, 1, 0}};
    int number = 0;
    for (const TopoDS_Shape& use : Children(pairUse)) {
        KShapeAttributes::SetProductName(rig, Holding(use), L"bracket");
        KShapeAttributes::SetName(rig, Holding(use), L"bracket " + std::to_wstring(number + 1));
        KShapeAttributes::SetColor(rig, Holding(use), colours[number++]);
    }
    return rig;
}

// N uses of one part on a square grid.
ShapePtr Copies(int count)
{
    const ShapePtr part = KBrepTools::MakeCylinder(Vector3::ZERO, Vector3::UNIT_Z, 4, 12, 360);
    const int perRow = static_cast<int>(std::ceil(std::sqrt(count)));
    ShapeList uses;
    for (int k = 0; k < count; ++k)
        uses.push_back(KFeatureTools::Translate(part, Vector3(12.0 * (k % perRow), 12.0 * (k / perRow), 0)));
    return Assembly(uses, std::vector<std::string>(uses.size(), "pin"), "pins");
}

int Save(const ShapePtr& shape, const std::string& path)
{
    KGltfFileService service;
    service.SaveFile({shape}, KStringUtil::a2w(path));
    if (KLastOutcome().Code == KOutcomeCode::Ok)
        return 0;
    std::cerr << path << ": " << KLastOutcome().Message << "\n";
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "hostile")
        return Save(HostileNames(args[1]), args[2]);
    if (args.size() == 2 && args[0] == "assembly")
        return Save(NestedAssembly(), args[1]);
    if (args.size() == 3 && args[0] == "copies")
        return Save(Copies(std::stoi(args[1])), args[2]);
    std::cerr << "usage: korrgeom_test_pages hostile NAMES.json OUT.html | assembly OUT.html | copies N OUT.html\n";
    return 2;
}
