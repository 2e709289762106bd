#include <KorrGeomCore/TopoExplor/KTopoFaceExplor.h>

#include "TopoExplor/SubShapeList.h"

namespace KorrCore {

namespace {
constexpr char kReportSource[] = "TopoExplor/KTopoFaceExplor";
} // namespace

bool KTopoFaceExplor::Explor(const ShapePtr& shape, ShapeList& faces)
{
    return ListSubShapes(
        shape, faces, TopAbs_FACE, kReportSource, __LINE__,
        [](const TopoDS_Shape& kernel, ShapeList& out) { AppendOccurrences(kernel, TopAbs_FACE, out); });
}

} // namespace KorrCore
