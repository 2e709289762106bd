#include <KorrGeomCore/TopoExplor/KTopoVertexExplor.h>

#include <BRep_Tool.hxx>
#include <TopoDS.hxx>

#include "Internal/Core/Frame.h"
#include "Library/TopoExplor/SubShapeList.h"

namespace KorrCore {

namespace {
constexpr char kReportSource[] = "TopoExplor/KTopoVertexExplor";
} // namespace

bool KTopoVertexExplor::Explor(const ShapePtr& shape, ShapeList& vertices)
{
    return Explored([&] {
        return ListSubShapes(
            shape, vertices, TopAbs_VERTEX, kReportSource, __LINE__,
            [](const TopoDS_Shape& kernel, ShapeList& out) { AppendOccurrences(kernel, TopAbs_VERTEX, out); });
    });
}

bool KTopoVertexExplor::Explor(const ShapePtr& vertex, KMath::Vector3& position)
{
    return Explored([&] {
        if (!HeldReported(vertex, kReportSource, __LINE__))
            return false;
        position = ToVector3(BRep_Tool::Pnt(TopoDS::Vertex(KernelShape(vertex))).XYZ());
        return true;
    });
}

} // namespace KorrCore
