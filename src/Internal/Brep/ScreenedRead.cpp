#include "Internal/Brep/ScreenedRead.h"

#include <BRepTools_ShapeSet.hxx>
#include <BRep_Builder.hxx>
#include <BRep_CurveRepresentation.hxx>
#include <BRep_PointRepresentation.hxx>
#include <BRep_TEdge.hxx>
#include <BRep_TFace.hxx>
#include <BRep_TVertex.hxx>

#include <algorithm>
#include <istream>
#include <locale>
#include <optional>
#include <vector>

#include "Internal/Brep/BrepFileScreen.h"
#include "Internal/Brep/TextBuffer.h"

namespace KorrCore {

namespace {

using Entries = std::vector<const Standard_Transient*>;

// The geometry the read shapes hold, by table.
struct Held {
    Entries curves2d, curves, surfaces;
};

void Add(Entries& entries, const Handle(Standard_Transient) & geometry)
{
    if (!geometry.IsNull())
        entries.push_back(geometry.get());
}

void HoldVertex(const BRep_TVertex& vertex, Held& held)
{
    for (const Handle(BRep_PointRepresentation) & point : vertex.Points()) {
        if (point->IsPointOnCurve())
            Add(held.curves, point->Curve());
        if (point->IsPointOnCurveOnSurface())
            Add(held.curves2d, point->PCurve());
        if (point->IsPointOnCurveOnSurface() || point->IsPointOnSurface())
            Add(held.surfaces, point->Surface());
    }
}

void HoldEdge(const BRep_TEdge& edge, Held& held)
{
    for (const Handle(BRep_CurveRepresentation) & curve : edge.Curves()) {
        if (curve->IsCurve3D())
            Add(held.curves, curve->Curve3D());
        if (curve->IsCurveOnSurface()) {
            Add(held.curves2d, curve->PCurve());
            Add(held.surfaces, curve->Surface());
        }
        if (curve->IsCurveOnClosedSurface())
            Add(held.curves2d, curve->PCurve2());
        if (curve->IsRegularity()) {
            Add(held.surfaces, curve->Surface());
            Add(held.surfaces, curve->Surface2());
        }
    }
}

std::size_t Distinct(Entries& entries)
{
    std::sort(entries.begin(), entries.end());
    return static_cast<std::size_t>(std::unique(entries.begin(), entries.end()) - entries.begin());
}

// Every entry the file's shapes refer to is held by the shapes read: an entry
// the kernel could not build is held by none, as the reader skips every
// reference to it.
bool HoldsAllUsed(const BRepTools_ShapeSet& set, const GeometryUse& use)
{
    Held held;
    for (int i = 1; i <= set.NbShapes(); ++i) {
        const TopoDS_Shape& shape = set.Shape(i);
        const TopoDS_TShape* data = shape.TShape().get();
        switch (shape.ShapeType()) {
        case TopAbs_VERTEX:
            HoldVertex(*static_cast<const BRep_TVertex*>(data), held);
            break;
        case TopAbs_EDGE:
            HoldEdge(*static_cast<const BRep_TEdge*>(data), held);
            break;
        case TopAbs_FACE:
            Add(held.surfaces, static_cast<const BRep_TFace*>(data)->Surface());
            break;
        default:
            break;
        }
    }
    return Distinct(held.curves2d) == use.curves2d && Distinct(held.curves) == use.curves &&
           Distinct(held.surfaces) == use.surfaces;
}

TopoDS_Shape Unread(ScreenStop* stop, const char* part, std::string_view text)
{
    if (stop)
        *stop = ScreenStop{part, text.size()};
    return {};
}

} // namespace

TopoDS_Shape ReadScreened(std::string_view text, ScreenStop* stop)
{
    const std::optional<GeometryUse> use = ScreenBrepText(text, stop);
    if (!use)
        return {};
    BrepScreen::TextBuffer buffer(text);
    std::istream in(&buffer);
    // The screen reads numbers as the classic locale writes them.
    in.imbue(std::locale::classic());
    // A failing stream throws rather than leave the reader spinning on it;
    // screened text does not fail, this only backs the screen up.
    in.exceptions(std::ios::failbit | std::ios::badbit);
    BRepTools_ShapeSet set{BRep_Builder()};
    set.Read(in);
    TopoDS_Shape shape;
    if (set.NbShapes() == 0)
        return Unread(stop, "the shapes, of which there are none", text);
    set.Read(shape, in);
    if (shape.IsNull() || !HoldsAllUsed(set, *use))
        return Unread(stop, "a geometry record the kernel dropped", text);
    return shape;
}

} // namespace KorrCore
