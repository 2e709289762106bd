#include <KorrGeomCore/TopoShape/KFeatureTools.h>

#include <BRepFilletAPI_MakeChamfer.hxx>
#include <BRepFilletAPI_MakeFillet.hxx>
#include <BRepFilletAPI_MakeFillet2d.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedDataMapOfShapeListOfShape.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>

#include <string>

#include "Internal/Core/Frame.h"
#include "Library/Core/Validity.h"

namespace KorrCore {

namespace {

// The blend algorithms can report success for a result that is not a valid
// shape (a fillet of radius 6 on a box 10 wide is "done" and broken), so their
// results are accepted only when they pass the kernel's own validity check.
ShapePtr WrapIfValid(const TopoDS_Shape& result, const std::string& work)
{
    if (!KernelValid(result))
        return Refused(KOutcomeCode::InvalidResult,
                       "the kernel reported " + work + " done, but the result fails its validity check",
                       FirstFault(result));
    ShapePtr wrapped = WrapShape(result);
    PassedKernelCheck(wrapped);
    return wrapped;
}

// Every edge of the shape, or the chosen ones when `chosen` is given; false,
// with the reason, when one of those is no edge of the shape.
bool EdgesToBlend(const TopoDS_Shape& shape, const ShapeList* chosen, TopTools_IndexedMapOfShape& blended)
{
    TopTools_IndexedMapOfShape edges;
    TopExp::MapShapes(shape, TopAbs_EDGE, edges);
    if (!chosen) {
        blended = edges;
        return true;
    }
    if (chosen->empty())
        return Refused(KOutcomeCode::InvalidArgument, "the list of edges is empty"), false;
    int position = 1;
    for (const ShapePtr& edge : *chosen) {
        if (!HoldsShape(edge) || !edges.Contains(KernelShape(edge)))
            return Refused(KOutcomeCode::InvalidArgument,
                           "edge " + std::to_string(position) + " of the list is not an edge of operand 1"),
                   false;
        blended.Add(KernelShape(edge));
        ++position;
    }
    return true;
}

ShapePtr RoundEdges(const TopoDS_Shape& shape, double radius, const ShapeList* chosen)
{
    TopTools_IndexedMapOfShape edges;
    if (!EdgesToBlend(shape, chosen, edges))
        return nullptr;
    BRepFilletAPI_MakeFillet fillet(shape, ChFi3d_Rational);
    for (int i = 1; i <= edges.Extent(); ++i)
        fillet.Add(ToReal(radius, "radius"), TopoDS::Edge(edges(i)));
    fillet.Build();
    const std::string work = std::string("rounding ") + (chosen ? "the listed edges" : "every edge") +
                             " with radius " + Shown(radius);
    if (!fillet.IsDone())
        return Refused(KOutcomeCode::KernelFailed, "the kernel failed " + work);
    return WrapIfValid(fillet.Shape(), work);
}

// Every vertex of the face, on its outer and inner wires alike.
ShapePtr FilletCorners(const TopoDS_Face& face, double radius)
{
    BRepFilletAPI_MakeFillet2d fillet(face);
    if (fillet.Status() == ChFi2d_NotPlanar)
        return Refused(KOutcomeCode::InvalidArgument, "operand 1 must be a planar face to round its corners");
    TopTools_IndexedMapOfShape vertices;
    TopExp::MapShapes(face, TopAbs_VERTEX, vertices);
    for (int i = 1; i <= vertices.Extent(); ++i)
        fillet.AddFillet(TopoDS::Vertex(vertices(i)), ToReal(radius, "radius"));
    fillet.Build();
    // The planar builder's own status, not IsDone, tells whether every corner
    // was rounded.
    const std::string work = "rounding every corner with radius " + Shown(radius);
    if (fillet.Status() != ChFi2d_IsDone)
        return Refused(KOutcomeCode::KernelFailed, "the kernel failed " + work);
    return WrapIfValid(fillet.Shape(), work);
}

ShapePtr Rounded(const ShapePtr& shape, double radius, const ShapeList* chosen)
{
    return OperateOn(
        [&](const TopoDS_Shape& kernelShape) -> ShapePtr {
            switch (kernelShape.ShapeType()) {
            case TopAbs_COMPOUND:
            case TopAbs_COMPSOLID:
            case TopAbs_SOLID:
            case TopAbs_SHELL:
                return RoundEdges(kernelShape, radius, chosen);
            case TopAbs_FACE:
                if (!chosen)
                    return FilletCorners(TopoDS::Face(kernelShape), radius);
                [[fallthrough]];
            default:
                return Refused(KOutcomeCode::WrongShapeKind, std::string("operand 1 is ") +
                                                                 KindName(kernelShape.ShapeType()) +
                                                                 ", and a fillet needs a solid, a shell or a face");
            }
        },
        shape);
}

ShapePtr Bevelled(const ShapePtr& shape, double firstDistance, double secondDistance, const ShapeList* chosen)
{
    return OperateOn(
        [&](const TopoDS_Shape& kernelShape) -> ShapePtr {
            TopTools_IndexedMapOfShape edges;
            if (!EdgesToBlend(kernelShape, chosen, edges))
                return nullptr;
            BRepFilletAPI_MakeChamfer chamfer(kernelShape);
            TopTools_IndexedDataMapOfShapeListOfShape facesOfEdge;
            TopExp::MapShapesAndAncestors(kernelShape, TopAbs_EDGE, TopAbs_FACE, facesOfEdge);
            // The first distance goes on the first face the map lists for the
            // edge. An edge without a face raises here, failing the chamfer.
            for (int i = 1; i <= edges.Extent(); ++i)
                chamfer.Add(ToReal(firstDistance, "firstDistance"), ToReal(secondDistance, "secondDistance"),
                            TopoDS::Edge(edges(i)), TopoDS::Face(facesOfEdge.FindFromKey(edges(i)).First()));
            chamfer.Build();
            const std::string work = std::string("bevelling ") + (chosen ? "the listed edges" : "every edge") +
                                     " by " + Shown(firstDistance) + " and " + Shown(secondDistance);
            if (!chamfer.IsDone())
                return Refused(KOutcomeCode::KernelFailed, "the kernel failed " + work);
            return WrapIfValid(chamfer.Shape(), work);
        },
        shape);
}

} // namespace

ShapePtr KFeatureTools::Fillet(ShapePtr shape, double radius)
{
    return Rounded(shape, radius, nullptr);
}

ShapePtr KFeatureTools::FilletEdges(ShapePtr shape, double radius, const ShapeList& edges)
{
    return Rounded(shape, radius, &edges);
}

ShapePtr KFeatureTools::Chamfer(ShapePtr shape, double firstDistance, double secondDistance)
{
    return Bevelled(shape, firstDistance, secondDistance, nullptr);
}

ShapePtr KFeatureTools::ChamferEdges(ShapePtr shape, double firstDistance, double secondDistance,
                                    const ShapeList& edges)
{
    return Bevelled(shape, firstDistance, secondDistance, &edges);
}

} // namespace KorrCore
