#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include "support/ReportRecorder.h"

using namespace KorrCore;

TEST(DamagedFace, EdgeRangeContradictingItselfIsRefusedInsteadOfMeshedForMinutes)
{
    // Found by fuzzing the file reader: a cone's edge stores the range 0..3838
    // on the face while claiming its own range 0..3.16 there. The file parses,
    // but the mesher took 47 s on the face.
    const ShapePtr shape =
        KBrepTools::ReadBrepFile(KStringUtil::a2w(KORRGEOM_TEST_DATA_DIR "/cone-edge-range-mismatch.brep"), nullptr);
    ASSERT_TRUE(shape);
    ShapeList faces;
    ASSERT_TRUE(KTopoFaceExplor::Explor(shape, faces));
    ASSERT_EQ(faces.size(), 3u);

    KorrTest::ReportRecorder recorder;
    std::vector<float> positions, normals, texCoords;
    std::vector<unsigned int> indices;
    ExplorFaceOptions options;
    options.Deflection = 36;
    EXPECT_FALSE(KTopoFaceExplor::Explor(faces.front(), positions, indices, normals, texCoords, options));
    EXPECT_EQ(recorder.messages(), std::vector<std::string>{"Triangulation of the face is NULL"});
    EXPECT_FALSE(KTopoFaceExplor::Explor(faces.front(), &positions, &indices, &normals, &texCoords, 36));
    // The undamaged cap still meshes.
    EXPECT_TRUE(KTopoFaceExplor::Explor(*std::next(faces.begin()), positions, indices, normals, texCoords, options));
}

TEST(DamagedFace, WholeShapeMeshLeavesTheDamagedFaceEmptyAndMeshesTheRest)
{
    const ShapePtr shape =
        KBrepTools::ReadBrepFile(KStringUtil::a2w(KORRGEOM_TEST_DATA_DIR "/cone-edge-range-mismatch.brep"), nullptr);
    ASSERT_TRUE(shape);
    KShapeMesh mesh;
    KMeshOptions options;
    options.Deflection = 36;
    ASSERT_TRUE(KShapeMesher::Mesh(shape, options, mesh));
    std::vector<KMeshFace> faces;
    for (const KMeshInstance& instance : mesh.Instances)
        for (const KMeshFace& face : mesh.Parts.at(instance.Part).Faces)
            faces.push_back(face);
    ASSERT_EQ(faces.size(), 3u);
    EXPECT_EQ(faces[0].Triangles.Count, 0u);
    EXPECT_GT(faces[1].Triangles.Count, 0u);
}

TEST(DamagedFace, WholeShapeMeshRefusesADeflectionTheCoordinatesCannotResolve)
{
    const ShapePtr farSphere =
        KFeatureTools::Translate(KBrepTools::MakeSphere(KMath::Vector3::ZERO, 1), KMath::Vector3(1e11, 0, 0));
    KShapeMesh mesh;
    KMeshOptions options;
    options.Deflection = 1e-3;
    EXPECT_FALSE(KShapeMesher::Mesh(farSphere, options, mesh));
    EXPECT_TRUE(mesh.Parts.empty());
}
