#include "FileFormats/ExchangeChecks.h"

#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>

#include <filesystem>
#include <iostream>

#include "support/Checks.h"

namespace KorrTest {

std::string SharedExchangeFile(const std::string& folderAndName)
{
    const std::string path = std::string(KORRGEOM_SHARED_DATA_DIR "/") + folderAndName;
    if (std::filesystem::exists(path))
        return path;
    std::cout << "no shared data file " << path << "\n";
    return {};
}

std::pair<int, int> SolidAndFaceUses(const KorrCore::ShapePtr& shape)
{
    TopTools_IndexedMapOfShape solids, faces;
    TopExp::MapShapes(Kernel(shape), TopAbs_SOLID, solids);
    TopExp::MapShapes(Kernel(shape), TopAbs_FACE, faces);
    return {solids.Extent(), faces.Extent()};
}

namespace {

std::string ColourName(const KorrCore::ShapeColour& colour)
{
    return std::to_string(colour.red).substr(0, 4) + "," + std::to_string(colour.green).substr(0, 4) + "," +
           std::to_string(colour.blue).substr(0, 4);
}

const char* KindName(TopAbs_ShapeEnum kind)
{
    static const char* const names[] = {"COMPOUND", "COMPSOLID", "SOLID",  "SHELL", "FACE",
                                        "WIRE",     "EDGE",      "VERTEX", "SHAPE"};
    return names[kind];
}

} // namespace

AttributeCensus CensusOf(const KorrCore::ShapePtr& shape)
{
    AttributeCensus census;
    const auto& attributes = KorrCore::KTopoShapeImpl::GetAttributes(shape.get());
    if (!attributes)
        return census;
    attributes->ForEach([&](const TopoDS_Shape& key, const KorrCore::SubShapeAttributes& entry) {
        if (!entry.product.empty())
            ++census.products[entry.product];
        if (!entry.name.empty())
            ++census.names[entry.name];
        if (entry.colour)
            ++census.colours[std::string(KindName(key.ShapeType())) + " " + ColourName(*entry.colour)];
    });
    return census;
}

void PrintTo(const AttributeCensus& census, std::ostream* out)
{
    for (const auto* part : {&census.products, &census.names, &census.colours}) {
        *out << "{";
        for (const auto& [name, count] : *part)
            *out << name << " x" << count << "; ";
        *out << "} ";
    }
}

const KorrCore::SubShapeAttributes* AttributesOf(const KorrCore::ShapePtr& shape, const TopoDS_Shape& subShape)
{
    const auto& attributes = KorrCore::KTopoShapeImpl::GetAttributes(shape.get());
    return attributes ? attributes->Find(KorrCore::ShapeAttributes::KeyUnder(Kernel(shape), subShape)) : nullptr;
}

} // namespace KorrTest
