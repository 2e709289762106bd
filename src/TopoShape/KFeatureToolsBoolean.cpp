#include <KorrGeomCore/TopoShape/KFeatureTools.h>

#include <BRepAlgoAPI_Common.hxx>
#include <BRepAlgoAPI_Cut.hxx>
#include <BRepAlgoAPI_Fuse.hxx>
#include <BRepAlgoAPI_Section.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS_Wire.hxx>

#include "Core/Frame.h"
#include "Core/Validity.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoShape/KFeatureTools";

// The kernel's boolean algorithms require valid arguments; on invalid ones
// (a solid whose shells share a face, say) they leak, and worse, so such
// operands are refused before the algorithm runs. Each handle is checked once.
bool ValidOperands(const ShapePtr& first, const ShapePtr& second)
{
    return KernelValid(first) && KernelValid(second);
}

// The kernel's result; a failed operation raises when its shape is taken.
TopoDS_Shape BooleanResult(const TopoDS_Shape& first, const TopoDS_Shape& second, KBooleanOp operation)
{
    switch (operation) {
    case BooleanFuse:
        return BRepAlgoAPI_Fuse(first, second);
    case BooleanCommon:
        return BRepAlgoAPI_Common(first, second);
    case BooleanCut:
        return BRepAlgoAPI_Cut(first, second);
    }
    KORR_CHECK(false, "Invalid Boolean type!");
    return TopoDS_Shape();
}

} // namespace

ShapePtr KFeatureTools::Boolean(ShapePtr first, ShapePtr second, KBooleanOp operation)
{
    return OperateOn(
        [&](const TopoDS_Shape& kernelFirst, const TopoDS_Shape& kernelSecond) -> ShapePtr {
            if (!ValidOperands(first, second))
                return nullptr;
            const TopoDS_Shape result = BooleanResult(kernelFirst, kernelSecond, operation);
            if (result.IsNull())
                return nullptr;
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
                return nullptr;

            TopTools_ListOfShape edges;
            for (TopExp_Explorer explorer(section.Shape(), TopAbs_EDGE); explorer.More(); explorer.Next())
                edges.Append(explorer.Current());
            // Added one by one, an edge that does not touch the wire built so far
            // is dropped, and a later edge that does makes the builder report
            // success again: the section of a box by a slanted plane came back
            // as an open wire missing one of its six edges. Given the whole
            // list, the builder joins the edges in whatever order connects them
            // and fails when they do not form one wire. With no edge at all it
            // is done with a null wire.
            BRepBuilderAPI_MakeWire wire;
            wire.Add(edges);
            if (!wire.IsDone() || wire.Error() != BRepBuilderAPI_WireDone || wire.Wire().IsNull())
                return nullptr;
            return WrapShape(wire.Wire());
        },
        first, second);
}

} // namespace KorrCore
