#include "Scene.h"

namespace korrgeom {

using KMath::Vector3;
using KorrCore::KBrepTools;

SceneSource EmbeddedScene()
{
    return {"embedded scene: sphere, cylinder, box and cone", [] {
                return Scene{
                    {"sphere", KBrepTools::MakeSphere(Vector3(0, 0, 5), 5)},
                    {"cylinder", KBrepTools::MakeCylinder(Vector3(15, 0, 0), Vector3::UNIT_Z, 4, 10, 360)},
                    {"box", KBrepTools::MakeBox(Vector3(25, -5, 0), Vector3::UNIT_Z, Vector3(10, 10, 10))},
                    {"cone", KBrepTools::MakeCone(Vector3(45, 0, 0), Vector3::UNIT_Z, 5, 10, 2, 270)},
                };
            }};
}

} // namespace korrgeom
