#include <KorrGeomCore/TopoShape/KBrepTools.h>

#include <BRepBuilderAPI_MakeSolid.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRep_Builder.hxx>
#include <ShapeFix_ShapeTolerance.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>

#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/TopoShape/KTopoShapeImpl.h>

#include <memory>
#include <string>

#include "Internal/Core/Frame.h"
#include "Internal/Core/LeftOut.h"
#include "Internal/Core/MatrixTransform.h"
#include "Internal/TopoShape/ShapeAttributes.h"
#include "Library/Core/Validity.h"
#include "Library/TopoShape/FaceShell.h"
#include "Library/TopoShape/WireFace.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoShape/KBrepTools";

// Forced onto everything joined into a wire, so that ends drawn separately (and
// off by rounding) still meet.
constexpr double kJoinTolerance = 1e-05;

} // namespace

ShapePtr KBrepTools::MakeWire(const ShapeList& edgesAndWires)
{
    LeftOut leftOut;
    const ShapePtr wire = Framed([&]() -> ShapePtr {
        if (edgesAndWires.empty())
            return Refused(KOutcomeCode::InvalidArgument, "the list must hold an edge or a wire, and is empty");
        BRepBuilderAPI_MakeWire wire;
        const ShapeFix_ShapeTolerance tolerance;
        // The kernel drops an element that does not connect and carries on with
        // the next, so a later element that does connect would hide the loss.
        bool everyElementJoined = true;
        int position = 0;
        for (const ShapePtr& element : edgesAndWires) {
            ++position;
            const TopAbs_ShapeEnum kind = KindOf(element);
            if (kind != TopAbs_EDGE && kind != TopAbs_WIRE) {
                KORR_CHECK(false, "Invalid Shape!"); // reported and skipped
                if (leftOut.Held(element, position))
                    leftOut.WrongKind(kind, position, "a wire is made of edges and wires");
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
            if (everyElementJoined && !wire.IsDone())
                leftOut.Note(KOutcomeCode::InvalidArgument,
                             LeftOut::Element(position) + " does not connect to the elements before it");
            everyElementJoined = everyElementJoined && wire.IsDone();
        }
        if (!everyElementJoined || !wire.IsDone())
            return nullptr;
        return WrapShape(wire.Wire());
    });
    return leftOut.Told(wire);
}

ShapePtr KBrepTools::MakeFace(ShapePtr wire)
{
    return OperateOn(
        [](const TopoDS_Shape& kernelWire) -> ShapePtr {
            if (kernelWire.ShapeType() != TopAbs_WIRE)
                return Refused(KOutcomeCode::WrongShapeKind, std::string("operand 1 is ") +
                                                                 KindName(kernelWire.ShapeType()) +
                                                                 ", and a face is made of a wire");
            const TopoDS_Face face = FillWire(TopoDS::Wire(kernelWire));
            if (face.IsNull())
                return Refused(KOutcomeCode::InvalidArgument,
                               "operand 1 must be a closed wire that bounds a surface, which it is not");
            return WrapShape(face);
        },
        wire);
}

ShapePtr KBrepTools::MakeCompound(const ShapeList& shapes)
{
    LeftOut leftOut;
    // Adding to a fresh compound does not raise, and the kernel crashes on a
    // null shape, which the check keeps out.
    const ShapePtr compound = Framed([&] {
        BRep_Builder builder;
        TopoDS_Compound compound;
        builder.MakeCompound(compound);
        int position = 0;
        for (const ShapePtr& shape : shapes)
            if (KORR_CHECK(leftOut.Held(shape, ++position), "NULL"))
                builder.Add(compound, KernelShape(shape));
        return WrapShape(compound);
    });
    return leftOut.Told(compound);
}

namespace {

// The child's use in the assembly: the entries of its shape's own table
// (keyed below the use now), and the use's own entry over the shape's.
void Describe(const KAssemblyChild& child, const TopoDS_Shape& use, ShapeAttributes& attributes)
{
    if (const auto& own = KTopoShapeImpl::GetAttributes(child.Shape.get()))
        own->Resolved(use).ForEach([&](const TopoDS_Shape& key, const SubShapeAttributes& entry) {
            attributes.Set(key.Moved(use.Location(), false), entry);
        });
    const SubShapeAttributes* shapeEntry = attributes.Find(use);
    SubShapeAttributes entry{KStringUtil::w2a(child.Name), KStringUtil::w2a(child.Product), child.Colour, true};
    if (entry.product.empty() && shapeEntry)
        entry.product = shapeEntry->product;
    if (!entry.colour && shapeEntry)
        entry.colour = shapeEntry->colour;
    attributes.Set(use, std::move(entry));
}

} // namespace

ShapePtr KBrepTools::MakeAssembly(const std::vector<KAssemblyChild>& children, const std::wstring& product)
{
    return Framed([&]() -> ShapePtr {
        if (children.empty())
            return Refused(KOutcomeCode::InvalidArgument, "children must hold a part or an assembly, and is empty");
        BRep_Builder builder;
        TopoDS_Compound compound;
        builder.MakeCompound(compound);
        auto attributes = std::make_shared<ShapeAttributes>();
        for (std::size_t i = 0; i < children.size(); ++i) {
            const KAssemblyChild& child = children[i];
            const std::string what = "children[" + std::to_string(i) + "]";
            if (!HeldOperand(child.Shape, what + ".Shape"))
                return nullptr;
            if (!IsRigidMotion(child.Placement))
                return Refused(KOutcomeCode::InvalidArgument,
                               what + ".Placement must only turn and move, and does more");
            const TopoDS_Shape use =
                KernelShape(child.Shape).Moved(TopLoc_Location(MatrixTransformation(child.Placement)), false);
            builder.Add(compound, use);
            Describe(child, use, *attributes);
        }
        attributes->Set(compound, {{}, KStringUtil::w2a(product), std::nullopt, true});
        const ShapePtr assembly = WrapShape(compound);
        KTopoShapeImpl::SetAttributes(assembly.get(), std::move(attributes));
        return assembly;
    });
}

ShapePtr KBrepTools::MakeShell(const ShapeList& faces)
{
    LeftOut leftOut;
    const ShapePtr shell = Framed([&] {
        FaceShell shell;
        int position = 0;
        for (const ShapePtr& element : faces) {
            ++position;
            const TopAbs_ShapeEnum kind = KindOf(element);
            if (kind == TopAbs_FACE)
                shell.Add(TopoDS::Face(KernelShape(element)));
            else if (leftOut.Held(element, position))
                leftOut.WrongKind(kind, position, "a shell is made of faces");
        }
        return WrapShape(shell.Shell());
    });
    return leftOut.Told(shell);
}

ShapePtr KBrepTools::MakeSolid(const ShapeList& facesShellsAndSolids)
{
    LeftOut leftOut;
    const ShapePtr solid = Framed([&]() -> ShapePtr {
        BRepBuilderAPI_MakeSolid solid;
        int position = 0;
        for (const ShapePtr& element : facesShellsAndSolids) {
            ++position;
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
                // Compounds are not looked into.
                if (leftOut.Held(element, position))
                    leftOut.WrongKind(KindOf(element), position, "a solid is made of faces, shells and solids");
                break;
            }
        }
        if (!solid.IsDone())
            return Refused(KOutcomeCode::KernelFailed, "the kernel could not make a solid of the list");
        return WrapShape(solid.Solid());
    });
    return leftOut.Told(solid);
}

} // namespace KorrCore
