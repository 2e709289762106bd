#include "ShapeSummary.h"

#include <iomanip>
#include <unordered_set>

namespace korrgeom {

using namespace KorrCore;

const char* KindName(TopoShapeType kind)
{
    static const char* const names[] = {"compound", "compsolid", "solid",  "shell",  "face",
                                        "wire",     "edge",      "vertex", "generic"};
    return names[kind];
}

namespace {

// Vertex entries repeat a vertex once per edge use; the kernel's shape data
// tells which entries are the same vertex.
std::size_t CountDistinct(const ShapeList& shapes)
{
    std::unordered_set<const void*> distinct;
    for (const ShapePtr& shape : shapes)
        distinct.insert(KTopoShapeImpl::GetShape(shape.get()).TShape().get());
    return distinct.size();
}

void PrintPoint(std::ostream& out, const KMath::Vector3& p)
{
    out << '(' << p.x << ", " << p.y << ", " << p.z << ')';
}

} // namespace

void PrintShapeSummary(std::ostream& out, const NamedShape& named)
{
    out << std::left << std::setw(9) << named.name;
    if (!named.shape) {
        out << "not built\n";
        return;
    }
    ShapeList edges, faces, vertices;
    KTopoEdgeExplor::Explor(named.shape, edges);
    KTopoFaceExplor::Explor(named.shape, faces);
    KTopoVertexExplor::Explor(named.shape, vertices);

    const KMath::AxisAlignedBox box = named.shape->GetBBox();
    out << std::setw(6) << KindName(named.shape->GetShapeType()) << " box ";
    PrintPoint(out, box.getMinimum());
    out << " - ";
    PrintPoint(out, box.getMaximum());
    out << "  edges " << edges.size() << "  faces " << faces.size() << "  vertices " << CountDistinct(vertices) << '\n';
}

} // namespace korrgeom
