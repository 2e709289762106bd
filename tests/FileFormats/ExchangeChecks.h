#pragma once

#include <KorrGeomCore/KorrGeomCore.h>

#include <map>
#include <string>

#include "FileFormats/Xde/IsolatedReading.h"
#include "TopoShape/ShapeAttributes.h"

// What the STEP and IGES tests compare: kernel counts and the attributes a
// loaded shape carries.
namespace KorrTest {

// The shared STEP and IGES files; empty (after a message) when the folder is
// absent, so that the caller can skip.
std::string SharedExchangeFile(const std::string& folderAndName);

// Solid and face uses, as the kernel's map of the whole shape counts them.
std::pair<int, int> SolidAndFaceUses(const KorrCore::ShapePtr& shape);

// Product names, instance names and colours by kind ("SOLID red" etc.), each
// with how many sub-shapes have it.
struct AttributeCensus {
    std::map<std::string, int> products, names, colours;
    bool operator==(const AttributeCensus& other) const
    {
        return products == other.products && names == other.names && colours == other.colours;
    }
    bool operator!=(const AttributeCensus& other) const { return !(*this == other); }
};
AttributeCensus CensusOf(const KorrCore::ShapePtr& shape);
void PrintTo(const AttributeCensus& census, std::ostream* out);

// The attributes of a sub-shape found by exploring the shape; null when it
// has none.
const KorrCore::SubShapeAttributes* AttributesOf(const KorrCore::ShapePtr& shape, const TopoDS_Shape& subShape);

} // namespace KorrTest
