#include <KorrGeomCore/TopoShape/KBrepTools.h>

#include <BRepBuilderAPI_MakeSolid.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRep_Builder.hxx>
#include <ShapeFix_ShapeTolerance.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>

#include "Core/Frame.h"
#include "Core/Validity.h"
#include "TopoShape/FaceShell.h"
#include "TopoShape/WireFace.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoShape/KBrepTools";

// Forced onto everything joined into a wire, so that ends drawn separately (and
// off by rounding) still meet.
constexpr double kJoinTolerance = 1e-05;

} // namespace

ShapePtr KBrepTools::MakeWire(const ShapeList& edgesAndWires)
{
    if (edgesAndWires.empty())
        return nullptr;
    return Guarded([&]() -> ShapePtr {
        BRepBuilderAPI_MakeWire wire;
        const ShapeFix_ShapeTolerance tolerance;
        // The kernel drops an element that does not connect and carries on with
        // the next, so a later element that does connect would hide the loss.
        bool everyElementJoined = true;
        for (const ShapePtr& element : edgesAndWires) {
            const TopAbs_ShapeEnum kind = KindOf(element);
            if (kind != TopAbs_EDGE && kind != TopAbs_WIRE) {
                KORR_CHECK(false, "Invalid Shape!"); // reported and skipped
                continue;
            }
            // Set on the caller's own shapes, which keep it whatever the outcome.
            const TopoDS_Shape& shape = KernelShape(element);
            tolerance.SetTolerance(shape, kJoinTolerance, TopAbs_SHAPE);
            KernelDataChanged();
            if (kind == TopAbs_WIRE)
                wire.Add(TopoDS::Wire(shape));
            else
                wire.Add(TopoDS::Edge(shape));
            everyElementJoined = everyElementJoined && wire.IsDone();
        }
        if (!everyElementJoined || !wire.IsDone())
            return nullptr;
        return WrapShape(wire.Wire());
    });
}

ShapePtr KBrepTools::MakeFace(ShapePtr wire)
{
    return OperateOn(
        [](const TopoDS_Shape& kernelWire) -> ShapePtr {
            // The cast raises for a shape of another kind.
            const TopoDS_Face face = FillWire(TopoDS::Wire(kernelWire));
            if (face.IsNull())
                return nullptr;
            return WrapShape(face);
        },
        wire);
}

ShapePtr KBrepTools::MakeCompound(const ShapeList& shapes)
{
    // No guard: adding to a fresh compound does not raise, and the kernel
    // crashes on a null shape, which the check keeps out.
    BRep_Builder builder;
    TopoDS_Compound compound;
    builder.MakeCompound(compound);
    for (const ShapePtr& shape : shapes)
        if (KORR_CHECK(HoldsShape(shape), "NULL"))
            builder.Add(compound, KernelShape(shape));
    return WrapShape(compound);
}

ShapePtr KBrepTools::MakeShell(const ShapeList& faces)
{
    return Guarded([&] {
        FaceShell shell;
        for (const ShapePtr& element : faces)
            if (KindOf(element) == TopAbs_FACE)
                shell.Add(TopoDS::Face(KernelShape(element)));
        return WrapShape(shell.Shell());
    });
}

ShapePtr KBrepTools::MakeSolid(const ShapeList& facesShellsAndSolids)
{
    return Guarded([&]() -> ShapePtr {
        BRepBuilderAPI_MakeSolid solid;
        for (const ShapePtr& element : facesShellsAndSolids) {
            switch (KindOf(element)) {
            case TopAbs_FACE: {
                // Each face bounds the solid through a shell of its own.
                FaceShell single;
                single.Add(TopoDS::Face(KernelShape(element)));
                solid.Add(single.Shell());
                break;
            }
            case TopAbs_SHELL:
                solid.Add(TopoDS::Shell(KernelShape(element)));
                break;
            case TopAbs_SOLID:
                for (TopExp_Explorer shells(KernelShape(element), TopAbs_SHELL); shells.More(); shells.Next())
                    solid.Add(TopoDS::Shell(shells.Current()));
                break;
            default:
                break; // compounds are not looked into
            }
        }
        if (!solid.IsDone())
            return nullptr;
        return WrapShape(solid.Solid());
    });
}

} // namespace KorrCore
