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
    switch (data.ConsumeIntegralInRange<int>(0, 6)) {
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
    case 3: {
        const auto base = ConsumeNastyVector(data);
        const auto axis = ConsumeNastyVector(data);
        const double baseRadius = ConsumeNastyDouble(data);
        const double height = ConsumeNastyDouble(data);
        const double topRadius = ConsumeNastyDouble(data);
        return KBrepTools::MakeCone(base, axis, baseRadius, height, topRadius, ConsumeNastyDouble(data));
    }
    case 4: {
        const auto start = ConsumeNastyVector(data);
        const auto end = ConsumeNastyVector(data);
        const double width = ConsumeNastyDouble(data);
        return KBrepToolsEx::MakeBox(start, end, width, ConsumeNastyDouble(data));
    }
    case 5: {
        const auto start = ConsumeNastyVector(data);
        const auto end = ConsumeNastyVector(data);
        const double width = ConsumeNastyDouble(data);
        const double edgeHeight = ConsumeNastyDouble(data);
        const double crownHeight = ConsumeNastyDouble(data);
        return KBrepToolsEx::MakeRoad(start, end, width, edgeHeight, crownHeight, data.ConsumeBool());
    }
    default: {
        // Counts one or two short of the vertices given reach the count check
        // without reading past the array.
        std::vector<KMath::Vector3> vertices(data.ConsumeIntegralInRange<int>(0, 4) * 3);
        for (KMath::Vector3& vertex : vertices)
            vertex = ConsumeNastyVector(data);
        const int count = static_cast<int>(vertices.size()) - data.ConsumeIntegralInRange<int>(0, 2);
        return KBrepToolsEx::MakeMeshShell(vertices.data(), count);
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
