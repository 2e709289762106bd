#include <KorrGeomCore/TopoShape/KFeatureTools.h>

#include <BRepOffsetAPI_ThruSections.hxx>
#include <TopoDS_Wire.hxx>

#include <vector>

#include "Core/Frame.h"
#include "Core/SweepScreens.h"
#include "TopoShape/AsWire.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoShape/KFeatureTools";

// The usable sections in list order, reporting each one that is skipped.
std::vector<TopoDS_Wire> LoftSections(const ShapeList& sections)
{
    std::vector<TopoDS_Wire> wires;
    for (const ShapePtr& section : sections) {
        if (!KORR_CHECK(HoldsShape(section), "NULL Shape"))
            continue;
        const TopoDS_Wire wire = AsWire(KernelShape(section));
        if (!KORR_CHECK(!wire.IsNull(), "Not Edge or Wire!"))
            continue;
        wires.push_back(wire);
    }
    return wires;
}

} // namespace

ShapePtr KFeatureTools::MakeLoft(const ShapeList& sections, bool solid)
{
    if (sections.size() < 2)
        return nullptr;
    return Guarded([&]() -> ShapePtr {
        const std::vector<TopoDS_Wire> wires = LoftSections(sections);
        // The kernel crashes on a single section instead of raising.
        if (wires.size() < 2 || !Skinnable(wires))
            return nullptr;
        BRepOffsetAPI_ThruSections loft(solid, /*ruled=*/false, /*pres3d=*/1e-06);
        for (const TopoDS_Wire& wire : wires)
            loft.AddWire(wire);
        // The sections are used as given: not re-oriented, edge counts not balanced.
        loft.CheckCompatibility(false);
        return WrapShape(loft.Shape());
    });
}

} // namespace KorrCore
