#include "Scene.h"

#include <cmath>

namespace korrgeom {

using KMath::Vector3;
using namespace KorrCore;

namespace {

// A typical machined part: a solid from the primitives, modified by a
// boolean cut and a fillet.
ShapePtr MachinedPart()
{
    const ShapePtr block = KBrepTools::MakeBox(Vector3(0, 0, 0), Vector3::UNIT_Z, Vector3(40, 30, 20));
    const ShapePtr pocketTool = KBrepTools::MakeBox(Vector3(8, 8, 8), Vector3::UNIT_Z, Vector3(24, 14, 20));
    return KFeatureTools::Fillet(KFeatureTools::Boolean(block, pocketTool, BooleanCut), 1.5);
}

// A five-pointed star outline, filled.
ShapePtr StarProfile(const Vector3& centre)
{
    std::vector<Vector3> corners;
    for (int i = 0; i < 10; ++i) {
        const double angle = KMath::Math::HALF_PI + i * KMath::Math::PI / 5;
        const double radius = i % 2 == 0 ? 10.0 : 4.0;
        corners.push_back(centre + Vector3(radius * std::cos(angle), radius * std::sin(angle), 0));
    }
    return KBrepTools::MakeFace(KBrepTools::MakePolygon(corners.data(), static_cast<int>(corners.size())));
}

// Three copies of one dimpled block, moved without copying their geometry:
// the mesher meshes the block once and places it three times.
ShapePtr RowOfBlocks()
{
    const ShapePtr block =
        KFeatureTools::Boolean(KBrepTools::MakeBox(Vector3(0, -60, 0), Vector3::UNIT_Z, Vector3(10, 10, 6)),
                               KBrepTools::MakeSphere(Vector3(5, -55, 6), 3.5), BooleanCut);
    ShapeList copies;
    for (int k = 0; k < 3; ++k)
        copies.push_back(KFeatureTools::Translate(block, Vector3(15.0 * k, 0, 0)));
    return KBrepTools::MakeCompound(copies);
}

} // namespace

const char* KindName(TopoShapeType kind)
{
    static const char* const names[] = {"compound", "compsolid", "solid",  "shell",  "face",
                                        "wire",     "edge",      "vertex", "generic"};
    return names[kind];
}

Scene EmbeddedScene()
{
    return {
        {"part", MachinedPart()},
        {"sphere", KBrepTools::MakeSphere(Vector3(55, 15, 8), 8)},
        {"cone", KBrepTools::MakeCone(Vector3(80, 15, 0), Vector3::UNIT_Z, 8, 16, 2, 270)},
        {"star", StarProfile(Vector3(20, -25, 0))},
        {"row", RowOfBlocks()},
    };
}

} // namespace korrgeom
