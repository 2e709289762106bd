#include <gtest/gtest.h>

#include "SceneFile.h"
#include "support/TempDir.h"

using namespace KorrCore;

// The page carries the model as glTF JSON inside a <script> element, and its
// file name as the title.
TEST(SceneFile, ThePageHoldsTheWholeModelAndAnEscapedTitle)
{
    const korrgeom::Scene scene{
        {"box", KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, KMath::Vector3(1, 2, 3))}};
    KorrTest::TempDir dir;
    const std::string path = dir.file("a&b.html");
    std::string error;
    ASSERT_TRUE(korrgeom::WriteSceneFile(scene, 0.1, path, error)) << error;
    const std::string page = KorrTest::ReadBytes(path);
    EXPECT_NE(page.find("<title>a&#38;b</title>"), std::string::npos);
    const std::string opening = "<script id=\"korrgeom-model\" type=\"model/gltf+json\">";
    const std::size_t start = page.find(opening);
    ASSERT_NE(start, std::string::npos);
    const std::size_t end = page.find("</script>", start);
    std::string model = page.substr(start + opening.size(), end - start - opening.size());
    model.erase(model.find_last_not_of(" \n") + 1);
    EXPECT_EQ(model.rfind("{\"accessors\"", 0), 0u);
    EXPECT_EQ(model.back(), '}') << "the model runs to its end";
    EXPECT_EQ(page.find("{{"), std::string::npos) << "every placeholder filled";
}

TEST(SceneFile, OtherExtensionsAndFailedWritesAreExplained)
{
    const korrgeom::Scene scene{
        {"box", KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, KMath::Vector3(1, 2, 3))}};
    std::string error;
    EXPECT_FALSE(korrgeom::WriteSceneFile(scene, 0.1, "scene.obj", error));
    EXPECT_EQ(error, "scene.obj: the output is a .glb, .gltf or .html file");
    error.clear();
    EXPECT_FALSE(korrgeom::WriteSceneFile(scene, 0.1, "/nonexistent-directory/scene.glb", error));
    EXPECT_EQ(error, "/nonexistent-directory/scene.glb: Cannot write the file!");
}
