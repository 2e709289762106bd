#include "Library/Core/SweepScreens.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepExtrema_DistShapeShape.hxx>
#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>
#include <Precision.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>

#include <string>

#include "Internal/Platform/Outcome.h"
#include "Library/Core/Validity.h"

namespace KorrCore {

namespace {

bool TouchesWithinConfusion(const TopoDS_Shape& first, const TopoDS_Shape& second)
{
    const BRepExtrema_DistShapeShape gap(first, second);
    return gap.IsDone() && gap.Value() <= Precision::Confusion();
}

// True when sample points along every edge of `covered` all lie on `cover`.
bool LiesOn(const TopoDS_Wire& covered, const TopoDS_Wire& cover)
{
    constexpr int kSamplesPerEdge = 5;
    for (TopExp_Explorer edges(covered, TopAbs_EDGE); edges.More(); edges.Next()) {
        const BRepAdaptor_Curve curve(TopoDS::Edge(edges.Current()));
        const double step = (curve.LastParameter() - curve.FirstParameter()) / (kSamplesPerEdge - 1);
        for (int i = 0; i < kSamplesPerEdge; ++i) {
            const gp_Pnt sample = curve.Value(curve.FirstParameter() + i * step);
            if (!TouchesWithinConfusion(BRepBuilderAPI_MakeVertex(sample).Vertex(), cover))
                return false;
        }
    }
    return true;
}

// The kernel's skinning crashes (rather than raising) when two consecutive
// sections lie on top of each other, so such lists are refused before it
// runs. The first of two such sections (from 1), or 0.
std::size_t CoincidentNeighbour(const std::vector<TopoDS_Wire>& sections)
{
    for (std::size_t i = 1; i < sections.size(); ++i) {
        const TopoDS_Wire& previous = sections[i - 1];
        const TopoDS_Wire& current = sections[i];
        if (previous.IsSame(current))
            return i;
        if (TouchesWithinConfusion(previous, current) && (LiesOn(previous, current) || LiesOn(current, previous)))
            return i;
    }
    return 0;
}

bool EveryEdgeHasLength(const TopoDS_Shape& path)
{
    for (TopExp_Explorer edges(path, TopAbs_EDGE); edges.More(); edges.Next()) {
        GProp_GProps properties;
        BRepGProp::LinearProperties(edges.Current(), properties);
        if (!(properties.Mass() > Precision::Confusion()))
            return false;
    }
    return true;
}

// True when the wire runs along some edge more than once, which the wire
// builder accepts (the same edge added twice) and the kernel's validity check
// lets pass.
bool RepeatsAnEdge(const TopoDS_Shape& wire)
{
    TopTools_IndexedMapOfShape distinct;
    int uses = 0;
    for (TopExp_Explorer edges(wire, TopAbs_EDGE); edges.More(); edges.Next(), ++uses)
        distinct.Add(edges.Current());
    return uses > distinct.Extent();
}

} // namespace

bool Sweepable(const TopoDS_Shape& wire, const std::string& what)
{
    if (RepeatsAnEdge(wire))
        return Fails(KOutcomeCode::InvalidArgument, what + " must use each edge once, and runs along one twice");
    if (!EveryEdgeHasLength(wire))
        return Fails(KOutcomeCode::InvalidArgument, what + " must have edges of some length, and has one of none");
    return KernelValid(wire) ||
           Fails(KOutcomeCode::InvalidArgument, what + " fails the kernel's validity check", FirstFault(wire));
}

bool Skinnable(const std::vector<TopoDS_Wire>& sections)
{
    for (std::size_t i = 0; i < sections.size(); ++i)
        if (!Sweepable(sections[i], "section " + std::to_string(i + 1)))
            return false;
    const std::size_t coincident = CoincidentNeighbour(sections);
    return coincident == 0 || Fails(KOutcomeCode::InvalidArgument, "sections " + std::to_string(coincident) + " and " +
                                                                       std::to_string(coincident + 1) +
                                                                       " must be apart, and lie on each other");
}

} // namespace KorrCore
