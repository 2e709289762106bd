#include <KorrGeomCore/TopoShape/KFeatureTools.h>

#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepOffsetAPI_MakePipeShell.hxx>
#include <BRepOffsetAPI_ThruSections.hxx>
#include <BRep_Tool.hxx>
#include <Precision.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Wire.hxx>
#include <gp_Ax2.hxx>

#include <vector>

#include "Core/Check.h"
#include "Core/KernelValues.h"
#include "TopoShape/KFeatureToolsFrame.h"
#include "TopoShape/SweepPaths.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoShape/KFeatureTools";

// An edge as a one-edge wire, a wire as it is; a null wire for any other kind.
TopoDS_Wire AsWire(const TopoDS_Shape& shape)
{
    switch (shape.ShapeType()) {
    case TopAbs_WIRE:
        return TopoDS::Wire(shape);
    case TopAbs_EDGE:
        return BRepBuilderAPI_MakeWire(TopoDS::Edge(shape)).Wire();
    default:
        return TopoDS_Wire();
    }
}

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

// The kernel places a profile only at a vertex that belongs to the spine (a
// new vertex at the very same point makes it raise), so the location is
// matched against the spine's own vertices; null when none lies there.
TopoDS_Vertex SpineVertexAt(const TopoDS_Wire& spine, const KMath::Vector3& location)
{
    TopTools_IndexedMapOfShape vertices;
    TopExp::MapShapes(spine, TopAbs_VERTEX, vertices);
    for (int i = 1; i <= vertices.Extent(); ++i) {
        const TopoDS_Vertex& vertex = TopoDS::Vertex(vertices(i));
        if (BRep_Tool::Pnt(vertex).IsEqual(ToPnt(location), Precision::Confusion()))
            return vertex;
    }
    return TopoDS_Vertex();
}

// False when the mode needs an auxiliary shape that is missing (reported) or
// an auxiliary spine that is neither an edge nor a wire.
bool ApplyTrihedronMode(BRepOffsetAPI_MakePipeShell& pipe, const KPipeShellParam& parameters)
{
    switch (parameters.Mode) {
    case KPipeShellParam::ModeFrenet:
        pipe.SetMode(/*IsFrenet=*/true);
        return true;
    case KPipeShellParam::ModeFixedTrihedron:
        pipe.SetMode(gp_Ax2(ToPnt(parameters.AxisOrigin), ToDir(parameters.AxisDirection)));
        return true;
    case KPipeShellParam::ModeConstantBinormal:
        pipe.SetMode(ToDir(parameters.AxisDirection));
        return true;
    case KPipeShellParam::ModeSpineSupport:
        if (!KORR_CHECK(HoldsShape(parameters.AuxiliaryShape), ""))
            return false;
        pipe.SetMode(KernelShape(parameters.AuxiliaryShape));
        return true;
    case KPipeShellParam::ModeAuxiliarySpine: {
        if (!KORR_CHECK(HoldsShape(parameters.AuxiliaryShape), ""))
            return false;
        const TopoDS_Wire auxiliarySpine = AsWire(KernelShape(parameters.AuxiliaryShape));
        if (auxiliarySpine.IsNull() || !Sweepable(auxiliarySpine))
            return false;
        pipe.SetMode(auxiliarySpine, parameters.CurvilinearEquivalence,
                     parameters.KeepContact ? BRepFill_Contact : BRepFill_NoContact);
        return true;
    }
    default:
        return true;
    }
}

// False when a profile is invalid or asks for a location that is not a vertex
// of the spine.
bool AddProfiles(BRepOffsetAPI_MakePipeShell& pipe, const TopoDS_Wire& spine,
                 const std::list<KPipeShellParam::SectionProfile>& profiles)
{
    for (const KPipeShellParam::SectionProfile& section : profiles) {
        if (!KORR_CHECK(HoldsShape(section.Profile), ""))
            continue;
        const TopoDS_Shape& profile = KernelShape(section.Profile);
        if (!Sweepable(profile))
            return false;
        if (!section.UseLocation) {
            pipe.Add(profile, section.WithContact, section.WithCorrection);
            continue;
        }
        const TopoDS_Vertex location = SpineVertexAt(spine, section.Location);
        if (location.IsNull())
            return false;
        pipe.Add(profile, location, section.WithContact, section.WithCorrection);
    }
    return true;
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

ShapePtr KFeatureTools::MakePipeShell(const KPipeShellParam& parameters)
{
    return OperateOn(
        [&](const TopoDS_Shape& kernelSpine) -> ShapePtr {
            const TopoDS_Wire spine = AsWire(kernelSpine);
            if (spine.IsNull() || !Sweepable(spine))
                return nullptr;
            BRepOffsetAPI_MakePipeShell pipe(spine);
            if (!ApplyTrihedronMode(pipe, parameters))
                return nullptr;
            if (!KORR_CHECK(!parameters.Profiles.empty(), ""))
                return nullptr;
            if (!AddProfiles(pipe, spine, parameters.Profiles))
                return nullptr;
            pipe.Build();
            if (!pipe.MakeSolid())
                return nullptr;
            return WrapShape(pipe.Shape());
        },
        parameters.Spine);
}

} // namespace KorrCore
