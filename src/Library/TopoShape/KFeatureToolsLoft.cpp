#include <KorrGeomCore/TopoShape/KFeatureTools.h>

#include <BRepOffsetAPI_ThruSections.hxx>
#include <TopoDS_Wire.hxx>

#include <vector>

#include <string>

#include "Internal/Core/Frame.h"
#include "Internal/Core/LeftOut.h"
#include "Library/Core/SweepScreens.h"
#include "Library/TopoShape/AsWire.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoShape/KFeatureTools";

// The usable sections in list order, reporting each one that is skipped.
std::vector<TopoDS_Wire> LoftSections(const ShapeList& sections, LeftOut& leftOut)
{
    std::vector<TopoDS_Wire> wires;
    int position = 0;
    for (const ShapePtr& section : sections) {
        ++position;
        if (!KORR_CHECK(leftOut.Held(section, position), "NULL Shape"))
            continue;
        const TopoDS_Wire wire = AsWire(KernelShape(section));
        if (!KORR_CHECK(!wire.IsNull(), "Not Edge or Wire!")) {
            leftOut.WrongKind(KindOf(section), position, "a loft's sections are edges and wires");
            continue;
        }
        wires.push_back(wire);
    }
    return wires;
}

} // namespace

ShapePtr KFeatureTools::MakeLoft(const ShapeList& sections, bool solid)
{
    LeftOut leftOut;
    const ShapePtr loft = Framed([&]() -> ShapePtr {
        if (sections.size() < 2)
            return Refused(KOutcomeCode::InvalidArgument,
                           "sections must hold at least 2 sections, got " + std::to_string(sections.size()));
        const std::vector<TopoDS_Wire> wires = LoftSections(sections, leftOut);
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
    return leftOut.Told(loft);
}

} // namespace KorrCore
