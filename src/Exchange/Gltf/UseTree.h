#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <KorrGeomCore/Platform/Matrix4.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore::Gltf {

// A shape as the scene shows it: the shape itself, its assemblies and their
// uses as KAssemblyExplor walks them, then a part's bodies down to the
// shapes that are not compounds, each of which is one placed part of the
// mesh (KMeshInstance::Occurrence).
struct UseTree {
    std::string name;
    std::string product;
    TopoShapeType kind = TopoGeneric;
    // From this node's frame into its parent's.
    KMath::Matrix4 placement;
    std::vector<UseTree> children;
    // For a node without children that is no compound, its occurrence number.
    std::size_t occurrence = 0;
};

UseTree UseTreeOf(const ShapePtr& shape);

} // namespace KorrCore::Gltf
