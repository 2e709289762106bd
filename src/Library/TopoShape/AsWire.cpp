#include "Library/TopoShape/AsWire.h"

#include <BRepBuilderAPI_MakeWire.hxx>
#include <TopoDS.hxx>

namespace KorrCore {

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

} // namespace KorrCore
