#include <gtest/gtest.h>

#include "BrepRoundTrip.h"
#include "Scene.h"
#include "support/TempDir.h"

using namespace KorrCore;

TEST(EmbeddedScene, BuildsEveryShapeWithThePartFirst)
{
    const korrgeom::Scene scene = korrgeom::EmbeddedScene().build();
    ASSERT_EQ(scene.size(), 5u);
    for (const korrgeom::NamedShape& named : scene)
        EXPECT_TRUE(named.shape) << named.name;
    ShapeList faces;
    ASSERT_TRUE(KTopoFaceExplor::Explor(scene.front().shape, faces));
    EXPECT_GT(faces.size(), 11u); // more than the block and its pocket: the fillets are there
    EXPECT_EQ(scene[3].name, "star");
    EXPECT_EQ(scene[3].shape->GetShapeType(), TopoFace);
}

TEST(FileScene, ReadsABrepFileOrGivesAnEmptyScene)
{
    const korrgeom::Scene box = korrgeom::FileScene(KORRGEOM_SHARED_DATA_DIR "/brep/cadquery_test_box.brep").build();
    ASSERT_EQ(box.size(), 1u);
    ShapeList faces;
    ASSERT_TRUE(KTopoFaceExplor::Explor(box.front().shape, faces));
    EXPECT_EQ(faces.size(), 6u);

    KorrTest::TempDir dir;
    KorrTest::WriteBytes(dir.file("garbage.brep"), "not a BRep file\n");
    EXPECT_TRUE(korrgeom::FileScene(dir.file("garbage.brep")).build().empty());
    EXPECT_TRUE(korrgeom::FileScene(dir.file("missing.brep")).build().empty());
}

TEST(BrepRoundTrip, PartReadsBackTheSameAndFailuresAreExplained)
{
    KorrTest::TempDir dir;
    const ShapePtr part = korrgeom::EmbeddedScene().build().front().shape;
    std::string problem;
    EXPECT_TRUE(korrgeom::BrepRoundTrip(part, dir.file("p\xC3\xA4rt.brep"), problem)) << problem;
    EXPECT_TRUE(problem.empty());

    EXPECT_FALSE(korrgeom::BrepRoundTrip(part, dir.file("no/such/dir/part.brep"), problem));
    EXPECT_NE(problem.find("could not save"), std::string::npos);
}
