#include <KorrGeomCore/TopoExplor/KTopoEdgeExplor.h>
#include <KorrGeomCore/TopoShape/KTopoShapeImpl.h>

#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>

#include <cmath>
#include <memory>
#include <optional>
#include <string>

#include "Internal/Core/DisplayBounds.h"
#include "Internal/Core/MeshEstimate.h"
#include "Internal/Core/MeshPreconditions.h"
#include "Internal/Platform/Outcome.h"
#include "Library/Core/MeshBudget.h"
#include "Library/TopoExplor/DisplayBuffers.h"
#include "Library/TopoExplor/EdgeCurveSampler.h"
#include "Library/TopoExplor/SubShapeList.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoExplor/KTopoEdgeExplor";

// The sampler takes as many points as the deflection asks for, and holds them
// all: a polyline of more points than a mesh may have triangles is refused.
bool SamplesWithinReason(const TopoDS_Edge& edge, double deflection)
{
    // The sampler bounds no angle, so the estimate takes none.
    const double points = EstimatedEdgeNodes(edge, deflection, M_PI);
    return points <= kDefaultMaxTriangles ||
           Fails(KOutcomeCode::TooLarge, "sampling the edge at deflection " + std::to_string(deflection) +
                                             " would take about " + std::to_string(points) + " points");
}

} // namespace

bool KTopoEdgeExplor::Explor(const ShapePtr& shape, ShapeList& edges)
{
    return Explored([&] {
        return ListSubShapes(shape, edges, TopAbs_EDGE, kReportSource, __LINE__,
                             [](const TopoDS_Shape& kernel, ShapeList& out) {
                                 // The indexed map keeps each edge once, whatever its orientation, in
                                 // order of first occurrence.
                                 TopTools_IndexedMapOfShape distinctEdges(1);
                                 TopExp::MapShapes(kernel, TopAbs_EDGE, distinctEdges);
                                 const auto enclosure = std::make_shared<const Bnd_Box>(GeometryBox(kernel));
                                 for (int i = 1; i <= distinctEdges.Extent(); ++i) {
                                     out.push_back(WrapShape(distinctEdges.FindKey(i)));
                                     KTopoShapeImpl::SetEnclosure(out.back().get(), enclosure);
                                 }
                             });
    });
}

bool KTopoEdgeExplor::Explor(const ShapePtr& edge, std::vector<float>* points, double deflection)
{
    return Explored([&] {
        // The kernel's edge cast lets a null shape through to the converter.
        if (!HoldsShape(edge))
            return false;
        const TopoDS_Edge& kernelEdge = TopoDS::Edge(KernelShape(edge));
        if (!points || !MeetableDeflection(deflection, kernelEdge))
            return false;
        if (!EdgeAgreesWithItsCurves(kernelEdge))
            return Fails(KOutcomeCode::InvalidArgument,
                         "the edge's curves contradict each other, as in a damaged file, so it is not sampled");
        if (!SamplesWithinReason(kernelEdge, deflection))
            return false;

        EdgeCurveSampler sampler;
        if (!sampler.Sample(kernelEdge, deflection))
            return false;
        const DisplayBounds bounds(kernelEdge, deflection);
        const std::shared_ptr<const Bnd_Box> enclosure = KTopoShapeImpl::GetEnclosure(edge.get());
        const std::optional<DisplayBounds> listedFrom =
            enclosure ? std::optional<DisplayBounds>(std::in_place, *enclosure, deflection) : std::nullopt;
        std::vector<float> sampled(3 * static_cast<std::size_t>(sampler.Count()));
        for (Standard_Integer i = 1; i <= sampler.Count(); ++i) {
            const gp_XYZ point = sampler.Point(i).XYZ();
            if (!bounds.Holds(point) || (listedFrom && !listedFrom->Holds(point)))
                return Fails(KOutcomeCode::InvalidResult,
                             "the edge's curve strays outside the shape it was listed from, as in a damaged file");
            StoreXYZ(&sampled[3 * static_cast<std::size_t>(i - 1)], point);
        }
        points->swap(sampled);
        return true;
    });
}

} // namespace KorrCore
