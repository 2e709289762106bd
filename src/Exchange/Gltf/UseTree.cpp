#include "Exchange/Gltf/UseTree.h"

#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/TopoExplor/KAssemblyExplor.h>
#include <KorrGeomCore/TopoShape/KShapeAttributes.h>

#include "Internal/Core/MatrixTransform.h"
#include "Internal/Core/ShapeAccess.h"

namespace KorrCore::Gltf {

namespace {

class TreeWalk {
public:
    // Below a compound, assembly or part alike, down to the shapes the mesher
    // takes as placed parts, numbered in the order it meets them.
    void Grow(const ShapePtr& shape, UseTree& node)
    {
        if (node.kind != TopoCompound) {
            node.occurrence = occurrences++;
            return;
        }
        std::vector<KAssemblyChild> children;
        KAssemblyExplor::Explor(shape, children);
        node.children.reserve(children.size());
        for (const KAssemblyChild& child : children) {
            node.children.push_back(
                {KStringUtil::w2a(child.Name), KStringUtil::w2a(child.Product), child.Kind, child.Placement, {}, 0});
            Grow(child.Shape, node.children.back());
        }
    }

private:
    std::size_t occurrences = 0;
};

} // namespace

UseTree UseTreeOf(const ShapePtr& shape)
{
    UseTree root{KStringUtil::w2a(KShapeAttributes::GetName(shape, shape)),
                 KStringUtil::w2a(KShapeAttributes::GetProductName(shape, shape)),
                 shape->GetShapeType(),
                 LocationMatrix(KernelShape(shape).Location()),
                 {},
                 0};
    TreeWalk().Grow(shape, root);
    return root;
}

} // namespace KorrCore::Gltf
