#include <KorrGeomCore/TopoShape/KFeatureTools.h>

#include <BRepAlgoAPI_Common.hxx>
#include <BRepAlgoAPI_Cut.hxx>
#include <BRepAlgoAPI_Fuse.hxx>
#include <BRepAlgoAPI_Section.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS_Wire.hxx>

#include <string>

#include "Internal/Core/Frame.h"
#include "Library/Core/Validity.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoShape/KFeatureTools";

// The kernel's boolean algorithms require valid arguments; on invalid ones
// (a solid whose shells share a face, say) they leak, and worse, so such
// operands are refused before the algorithm runs. Each handle is checked once.
bool ValidOperands(const ShapePtr& first, const ShapePtr& second)
{
    return KernelValidOperand(first, "operand 1") && KernelValidOperand(second, "operand 2");
}

bool Solid(const TopoDS_Shape& shape)
{
    const TopAbs_ShapeEnum kind = shape.ShapeType();
    return kind == TopAbs_SOLID || kind == TopAbs_COMPSOLID || kind == TopAbs_COMPOUND;
}

// A failed operation on an operand that is not a solid failed on that
// operand, whatever else the kernel found: the algorithms take shells and
// faces but refuse most of them.
std::nullptr_t Refusal(const TopoDS_Shape& first, const TopoDS_Shape& second)
{
    const int wrong = !Solid(first) ? 1 : !Solid(second) ? 2 : 0;
    if (wrong != 0)
        SetOutcome(KOutcomeCode::WrongShapeKind, "operand " + std::to_string(wrong) + " is " +
                                                     KindName((wrong == 1 ? first : second).ShapeType()) +
                                                     ", and a boolean needs solids");
    else if (KLastOutcome().Code == KOutcomeCode::Ok)
        SetOutcome(KOutcomeCode::KernelFailed, "the kernel's boolean gave no shape");
    return nullptr;
}

bool KnownOperation(KBooleanOp operation)
{
    return operation == BooleanFuse || operation == BooleanCommon || operation == BooleanCut;
}

// The kernel's result for a known operation; a failed operation raises when
// its shape is taken.
TopoDS_Shape BooleanResult(const TopoDS_Shape& first, const TopoDS_Shape& second, KBooleanOp operation)
{
    if (operation == BooleanFuse)
        return BRepAlgoAPI_Fuse(first, second);
    if (operation == BooleanCommon)
        return BRepAlgoAPI_Common(first, second);
    return BRepAlgoAPI_Cut(first, second);
}

} // namespace

ShapePtr KFeatureTools::Boolean(ShapePtr first, ShapePtr second, KBooleanOp operation)
{
    return OperateOn(
        [&](const TopoDS_Shape& kernelFirst, const TopoDS_Shape& kernelSecond) -> ShapePtr {
            if (!ValidOperands(first, second))
                return Refusal(kernelFirst, kernelSecond);
            if (!KORR_CHECK_WHY(KnownOperation(operation), "Invalid Boolean type!", InvalidArgument,
                                "operation must be BooleanFuse, BooleanCommon or BooleanCut, got " +
                                    std::to_string(static_cast<int>(operation))))
                return nullptr;
            const TopoDS_Shape result = Guarded([&] { return BooleanResult(kernelFirst, kernelSecond, operation); });
            if (result.IsNull())
                return Refusal(kernelFirst, kernelSecond);
            return WrapShape(result);
        },
        first, second);
}

ShapePtr KFeatureTools::SurfaceSection(ShapePtr first, ShapePtr second)
{
    return OperateOn(
        [&](const TopoDS_Shape& kernelFirst, const TopoDS_Shape& kernelSecond) -> ShapePtr {
            if (!ValidOperands(first, second))
                return nullptr;
            BRepAlgoAPI_Section section(kernelFirst, kernelSecond, /*PerformNow=*/false);
            section.Build();
            if (!section.IsDone())
                return Refused(KOutcomeCode::KernelFailed, "the kernel could not intersect the operands");

            TopTools_ListOfShape edges;
            for (TopExp_Explorer explorer(section.Shape(), TopAbs_EDGE); explorer.More(); explorer.Next())
                edges.Append(explorer.Current());
            if (edges.IsEmpty())
                return Refused(KOutcomeCode::InvalidArgument, "the operands do not meet, so there is no section");
            // Added one by one, an edge that does not touch the wire built so far
            // is dropped, and a later edge that does makes the builder report
            // success again: the section of a box by a slanted plane came back
            // as an open wire missing one of its six edges. Given the whole
            // list, the builder joins the edges in whatever order connects them
            // and fails when they do not form one wire.
            BRepBuilderAPI_MakeWire wire;
            wire.Add(edges);
            if (!wire.IsDone() || wire.Error() != BRepBuilderAPI_WireDone || wire.Wire().IsNull())
                return Refused(KOutcomeCode::KernelFailed,
                               "the section of the operands is more than one wire: " + std::to_string(edges.Extent()) +
                                   " edges that do not join into one");
            return WrapShape(wire.Wire());
        },
        first, second);
}

} // namespace KorrCore
