// The demo's scene, display data and files, kept small: the demo is to be rewritten.

#include "support/Checks.h"

#include <tiny_gltf.h>

#include "BrepRoundTrip.h"
#include "GlbWriter.h"
#include "Scene.h"
#include "SceneMeshes.h"

TEST(KorrgeomDemo, TheEmbeddedSceneRoundTripsThroughBrepAndGlbFiles)
{
    const korrgeom::Scene scene = korrgeom::EmbeddedScene().build();
    KorrTest::TempDir dir;
    std::string problem, warning;
    EXPECT_TRUE(korrgeom::BrepRoundTrip(scene.front().shape, dir.file("p\xC3\xA4rt.brep"), problem)) << problem;
    EXPECT_TRUE(korrgeom::FileScene(dir.file("p\xC3\xA4rt.brep")).build().size() == 1 &&
                korrgeom::FileScene("").build().empty());
    ASSERT_TRUE(korrgeom::WriteGlb(korrgeom::MeshScene(scene, 0.1), dir.file("scene.glb"), problem)) << problem;
    tinygltf::Model model;
    EXPECT_TRUE(tinygltf::TinyGLTF().LoadBinaryFromFile(&model, &problem, &warning, dir.file("scene.glb")) &&
                warning.empty());
    EXPECT_TRUE(scene.size() == 5 && model.meshes.size() >= scene.size()) << problem;
}
