#include "FuzzInspect.h"

#include <Standard_Failure.hxx>

#include <algorithm>
#include <vector>

namespace KorrFuzz {

using namespace KorrCore;

namespace {

// A display deflection of a hundredth of the box's largest side: finer ones
// can keep the mesher busy for as long as it takes to fill memory.
double DisplayDeflection(const ShapePtr& shape)
{
    const KMath::AxisAlignedBox box = shape->GetBBox();
    const KMath::Vector3 size = box.getMaximum() - box.getMinimum();
    return std::max({size.x, size.y, size.z, 1e-3}) / 100;
}

template <class Explore> void AllowingKernelExceptions(Explore&& explore)
{
    try {
        explore();
    } catch (const Standard_Failure&) {
    }
}

} // namespace

void Inspect(const ShapePtr& shape)
{
    if (!shape)
        return;
    shape->GetShapeType();
    const double deflection = DisplayDeflection(shape);
    ShapeList edges, faces, vertices;
    KTopoEdgeExplor::Explor(shape, edges);
    KTopoFaceExplor::Explor(shape, faces);
    KTopoVertexExplor::Explor(shape, vertices);

    KMath::Vector3 position;
    for (const ShapePtr& vertex : vertices)
        AllowingKernelExceptions([&] { KTopoVertexExplor::Explor(vertex, position); });
    std::vector<float> positions, normals, texCoords;
    std::vector<unsigned int> indices;
    ExplorFaceOptions options;
    options.Deflection = deflection;
    options.NormalizeUV = true;
    for (const ShapePtr& face : faces) {
        AllowingKernelExceptions(
            [&] { KTopoFaceExplor::Explor(face, positions, indices, normals, texCoords, options); });
        AllowingKernelExceptions(
            [&] { KTopoFaceExplor::Explor(face, &positions, nullptr, &normals, nullptr, deflection); });
    }
    for (const ShapePtr& edge : edges)
        AllowingKernelExceptions([&] { KTopoEdgeExplor::Explor(edge, &positions, deflection); });

    // The whole-shape mesher, which lets no exception out, at its own deflection.
    KShapeMesh mesh;
    KShapeMesher::Mesh(shape, KMeshOptions(), mesh);
}

} // namespace KorrFuzz
