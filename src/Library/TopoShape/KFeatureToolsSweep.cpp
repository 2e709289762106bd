#include <KorrGeomCore/TopoShape/KFeatureTools.h>

#include <BRepOffsetAPI_MakePipeShell.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRepPrimAPI_MakeRevol.hxx>
#include <BRep_Tool.hxx>
#include <Precision.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <gp_Ax1.hxx>
#include <gp_Ax2.hxx>

#include <cmath>

#include <string>

#include "Internal/Core/Frame.h"
#include "Internal/Core/LeftOut.h"
#include "Library/Core/SweepScreens.h"
#include "Library/TopoShape/AsWire.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoShape/KFeatureTools";

constexpr double kSmallestPartialTurn = 0.01;
constexpr double kFullTurn = 2.0 * M_PI;

// The kernel places a profile only at a vertex that belongs to the spine (a
// new vertex at the very same point makes it raise), so the location is
// matched against the spine's own vertices; null when none lies there.
TopoDS_Vertex SpineVertexAt(const TopoDS_Wire& spine, const KMath::Vector3& location)
{
    TopTools_IndexedMapOfShape vertices;
    TopExp::MapShapes(spine, TopAbs_VERTEX, vertices);
    for (int i = 1; i <= vertices.Extent(); ++i) {
        const TopoDS_Vertex& vertex = TopoDS::Vertex(vertices(i));
        if (BRep_Tool::Pnt(vertex).IsEqual(ToPnt(location, "a profile's location"), Precision::Confusion()))
            return vertex;
    }
    return TopoDS_Vertex();
}

// False, with the outcome, when the mode needs an auxiliary shape that is
// missing (reported) or an auxiliary spine that is neither an edge nor a wire.
bool ApplyTrihedronMode(BRepOffsetAPI_MakePipeShell& pipe, const KPipeShellParam& parameters)
{
    switch (parameters.Mode) {
    case KPipeShellParam::ModeFrenet:
        pipe.SetMode(/*IsFrenet=*/true);
        return true;
    case KPipeShellParam::ModeFixedTrihedron:
        pipe.SetMode(
            gp_Ax2(ToPnt(parameters.AxisOrigin, "AxisOrigin"), ToDir(parameters.AxisDirection, "AxisDirection")));
        return true;
    case KPipeShellParam::ModeConstantBinormal:
        pipe.SetMode(ToDir(parameters.AxisDirection, "AxisDirection"));
        return true;
    case KPipeShellParam::ModeSpineSupport:
        if (!KORR_CHECK(HeldOperand(parameters.AuxiliaryShape, "AuxiliaryShape"), ""))
            return false;
        pipe.SetMode(KernelShape(parameters.AuxiliaryShape));
        return true;
    case KPipeShellParam::ModeAuxiliarySpine: {
        if (!KORR_CHECK(HeldOperand(parameters.AuxiliaryShape, "AuxiliaryShape"), ""))
            return false;
        const TopoDS_Wire auxiliarySpine = AsWire(KernelShape(parameters.AuxiliaryShape));
        if (auxiliarySpine.IsNull())
            return Fails(KOutcomeCode::WrongShapeKind, std::string("AuxiliaryShape is ") +
                                                           KindName(KindOf(parameters.AuxiliaryShape)) +
                                                           ", and an auxiliary spine is an edge or a wire");
        if (!Sweepable(auxiliarySpine, "AuxiliaryShape"))
            return false;
        pipe.SetMode(auxiliarySpine, parameters.CurvilinearEquivalence,
                     parameters.KeepContact ? BRepFill_Contact : BRepFill_NoContact);
        return true;
    }
    default:
        return true;
    }
}

// False, with the outcome, when a profile is invalid or asks for a location
// that is not a vertex of the spine. A null profile is left out.
bool AddProfiles(BRepOffsetAPI_MakePipeShell& pipe, const TopoDS_Wire& spine,
                 const std::list<KPipeShellParam::SectionProfile>& profiles, LeftOut& leftOut)
{
    int position = 0;
    for (const KPipeShellParam::SectionProfile& section : profiles) {
        const std::string what = "profile " + std::to_string(++position);
        if (!HoldsShape(section.Profile)) {
            leftOut.Note(KOutcomeCode::NullShape, Unheld(section.Profile, what));
            KORR_CHECK(false, "");
            continue;
        }
        const TopoDS_Shape& profile = KernelShape(section.Profile);
        if (!Sweepable(profile, what))
            return false;
        if (!section.UseLocation) {
            pipe.Add(profile, section.WithContact, section.WithCorrection);
            continue;
        }
        const TopoDS_Vertex location = SpineVertexAt(spine, section.Location);
        if (location.IsNull())
            return Fails(KOutcomeCode::InvalidArgument,
                         what + "'s location must be a vertex of the spine, got " + Shown(section.Location));
        pipe.Add(profile, location, section.WithContact, section.WithCorrection);
    }
    return true;
}

} // namespace

ShapePtr KFeatureTools::Extrude(ShapePtr profile, double length, const KMath::Vector3& direction)
{
    return OperateOn(
        [&](const TopoDS_Shape& kernelProfile) -> ShapePtr {
            // The direction is not normalised: the sweep is |direction| x length.
            BRepPrimAPI_MakePrism prism(kernelProfile, ToVec(direction * length, "direction x length"),
                                        /*Copy=*/false, /*Canonize=*/true);
            if (!prism.IsDone())
                return Refused(KOutcomeCode::KernelFailed,
                               "the kernel could not sweep the profile along " + Shown(direction * length));
            return WrapShape(prism.Shape());
        },
        profile);
}

ShapePtr KFeatureTools::Revol(ShapePtr profile, const KMath::Vector3& axisPoint, const KMath::Vector3& axisDirection,
                              double angle)
{
    return OperateOn(
        [&](const TopoDS_Shape& kernelProfile) {
            const gp_Ax1 axis(ToPnt(axisPoint, "axisPoint"), ToDir(axisDirection, "axisDirection"));
            // Written as the partial range so that NaN, like every angle outside
            // it, gives the full turn rather than reaching the kernel.
            const bool partial = kSmallestPartialTurn <= angle && angle <= kFullTurn;
            BRepPrimAPI_MakeRevol revolution = partial
                                                   ? BRepPrimAPI_MakeRevol(kernelProfile, axis, angle, /*Copy=*/false)
                                                   : BRepPrimAPI_MakeRevol(kernelProfile, axis, /*Copy=*/false);
            // A declined profile (one crossing the axis) is not done without
            // raising; callers then see a handle whose IsNull() is true.
            if (!revolution.IsDone())
                SetOutcome(KOutcomeCode::InvalidArgument, "operand 1 must not cross the axis through " +
                                                              Shown(axisPoint) + " along " + Shown(axisDirection));
            return WrapShape(revolution.IsDone() ? revolution.Shape() : TopoDS_Shape());
        },
        profile);
}

ShapePtr KFeatureTools::MakePipeShell(const KPipeShellParam& parameters)
{
    LeftOut leftOut;
    const ShapePtr pipeShell = OperateOn(
        [&](const TopoDS_Shape& kernelSpine) -> ShapePtr {
            const TopoDS_Wire spine = AsWire(kernelSpine);
            if (spine.IsNull())
                return Refused(KOutcomeCode::WrongShapeKind, std::string("Spine is ") +
                                                                 KindName(kernelSpine.ShapeType()) +
                                                                 ", and a spine is an edge or a wire");
            if (!Sweepable(spine, "Spine"))
                return nullptr;
            BRepOffsetAPI_MakePipeShell pipe(spine);
            if (!ApplyTrihedronMode(pipe, parameters))
                return nullptr;
            if (!KORR_CHECK_WHY(!parameters.Profiles.empty(), "", InvalidArgument,
                                std::string("Profiles must hold a profile, and is empty")))
                return nullptr;
            if (!AddProfiles(pipe, spine, parameters.Profiles, leftOut))
                return nullptr;
            pipe.Build();
            if (!pipe.MakeSolid())
                return Refused(KOutcomeCode::KernelFailed, "the kernel could not sweep the profiles into a solid");
            return WrapShape(pipe.Shape());
        },
        parameters.Spine);
    return leftOut.Told(pipeShell);
}

} // namespace KorrCore
