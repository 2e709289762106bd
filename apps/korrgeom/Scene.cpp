#include "Scene.h"

namespace korrgeom {

using KMath::Vector3;
using KorrCore::BooleanCut;
using KorrCore::KBrepTools;
using KorrCore::KFeatureTools;

namespace {

// Three copies of one dimpled block, moved without copying their geometry:
// the display meshes the block once and places it three times.
KorrCore::ShapePtr RowOfBlocks()
{
    const KorrCore::ShapePtr block = KFeatureTools::Boolean(
        KBrepTools::MakeBox(Vector3(0, 15, 0), Vector3::UNIT_Z, Vector3(10, 10, 6)),
        KBrepTools::MakeSphere(Vector3(5, 20, 6), 3.5), BooleanCut);
    KorrCore::ShapeList copies;
    for (int k = 0; k < 3; ++k)
        copies.push_back(KFeatureTools::Translate(block, Vector3(15.0 * k, 0, 0)));
    return KBrepTools::MakeCompound(copies);
}

} // namespace

SceneSource EmbeddedScene()
{
    return {"embedded scene: sphere, cylinder, box, cone and a row of three located copies of a dimpled block", [] {
                return Scene{
                    {"sphere", KBrepTools::MakeSphere(Vector3(0, 0, 5), 5)},
                    {"cylinder", KBrepTools::MakeCylinder(Vector3(15, 0, 0), Vector3::UNIT_Z, 4, 10, 360)},
                    {"box", KBrepTools::MakeBox(Vector3(25, -5, 0), Vector3::UNIT_Z, Vector3(10, 10, 10))},
                    {"cone", KBrepTools::MakeCone(Vector3(45, 0, 0), Vector3::UNIT_Z, 5, 10, 2, 270)},
                    {"row", RowOfBlocks()},
                };
            }};
}

} // namespace korrgeom
