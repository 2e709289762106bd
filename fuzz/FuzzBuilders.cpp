// Drives the builders and operations with arbitrary doubles and counts, then
// walks whatever they built through the explorers. Any crash, sanitizer report,
// leak or run past libFuzzer's -timeout is a finding.

#include <KorrGeomCore/KorrGeomCore.h>

#include <cstdint>
#include <vector>

#include "FuzzValues.h"

using namespace KorrCore;
using KorrFuzz::ConsumeNastyDouble;
using KorrFuzz::ConsumeNastyVector;

namespace {

ShapePtr BuildOne(FuzzedDataProvider& data)
{
    switch (data.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: {
        const auto centre = ConsumeNastyVector(data);
        return KBrepTools::MakeSphere(centre, ConsumeNastyDouble(data));
    }
    case 1: {
        const auto base = ConsumeNastyVector(data);
        const auto axis = ConsumeNastyVector(data);
        const double radius = ConsumeNastyDouble(data);
        const double height = ConsumeNastyDouble(data);
        return KBrepTools::MakeCylinder(base, axis, radius, height, ConsumeNastyDouble(data));
    }
    case 2: {
        const auto corner = ConsumeNastyVector(data);
        const auto direction = ConsumeNastyVector(data);
        return KBrepTools::MakeBox(corner, direction, ConsumeNastyVector(data));
    }
    default: {
        const auto base = ConsumeNastyVector(data);
        const auto axis = ConsumeNastyVector(data);
        const double baseRadius = ConsumeNastyDouble(data);
        const double height = ConsumeNastyDouble(data);
        const double topRadius = ConsumeNastyDouble(data);
        return KBrepTools::MakeCone(base, axis, baseRadius, height, topRadius, ConsumeNastyDouble(data));
    }
    }
}

// Everything a host does with a result must be safe too.
void Inspect(const ShapePtr& shape)
{
    if (!shape)
        return;
    shape->GetShapeType();
    shape->GetBBox();
    ShapeList edges, faces, vertices;
    KTopoEdgeExplor::Explor(shape, edges);
    KTopoFaceExplor::Explor(shape, faces);
    KTopoVertexExplor::Explor(shape, vertices);
    KMath::Vector3 position;
    for (const ShapePtr& vertex : vertices)
        KTopoVertexExplor::Explor(vertex, position);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    KcAssert::SetReportHandler([](const std::string&, const char*, int) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    std::vector<ShapePtr> built;
    while (data.remaining_bytes() > 0 && built.size() < 4)
        built.push_back(BuildOne(data));
    for (const ShapePtr& shape : built)
        Inspect(shape);
    return 0;
}
