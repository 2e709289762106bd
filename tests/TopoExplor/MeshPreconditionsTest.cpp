// What every mesher entry point (the face explorer's two forms, the edge
// explorer, the whole-shape mesher) refuses before the kernel's mesher, which
// would take minutes or never return: deflections the shape's coordinates
// cannot resolve, and faces whose edges contradict their own parameter range.

#include "support/Checks.h"

using namespace KorrCore;

namespace {

// Whether each entry point meshes the shape's first face, its first edge and
// the shape itself at the deflection; a failed one leaves its buffer empty.
std::vector<bool> MeshEverywhere(const ShapePtr& shape, double deflection)
{
    const ShapePtr face = KorrTest::FacesOf(shape).front();
    std::vector<float> positions, points, normals, texCoords;
    std::vector<unsigned int> indices;
    ExplorFaceOptions options;
    KMeshOptions meshOptions;
    options.Deflection = meshOptions.Deflection = deflection;
    KShapeMesh mesh;
    const std::vector<bool> meshed = {
        KTopoFaceExplor::Explor(face, positions, indices, normals, texCoords, options),
        KTopoFaceExplor::Explor(face, &positions, &indices, &normals, &texCoords, deflection),
        KTopoEdgeExplor::Explor(KorrTest::EdgesOf(shape).front(), &points, deflection),
        KShapeMesher::Mesh(shape, meshOptions, mesh)};
    EXPECT_TRUE(positions.empty() != meshed[0] && points.empty() != meshed[2] && mesh.Parts.empty() != meshed[3]);
    return meshed;
}

} // namespace

TEST(MeshPreconditions, DeflectionsTheCoordinatesCannotResolveAreRefusedEverywhere)
{
    // Found by fuzzing: far from the origin the mesher kept splitting edges
    // whose rounding noise exceeded the deflection, and never returned.
    const ShapePtr near = KBrepTools::MakeCylinder({0, 0, 0}, {0, 0, 1}, 1, 1, 0);
    const ShapePtr far = KFeatureTools::Translate(near, {1e11, 0, 0});
    KorrTest::ReportRecorder quiet;
    EXPECT_EQ(MeshEverywhere(far, 1e-3), std::vector<bool>(4, false));
    EXPECT_EQ(MeshEverywhere(near, std::nan("")), std::vector<bool>(4, false));
    EXPECT_EQ(MeshEverywhere(far, 1), std::vector<bool>(4, true));
}

TEST(MeshPreconditions, AFaceWhoseEdgeContradictsItsOwnRangeIsLeftUnmeshed)
{
    // Found by fuzzing the file reader: a cone's edge stores the range 0..3838
    // on the face while claiming its own range 0..3.16 there. The file parses,
    // but the mesher took 47 s on the face.
    const ShapePtr shape = KBrepTools::ReadBrepFile(
        KorrTest::Wide(KORRGEOM_CORPUS_DIR "/read_brep/regression-cone-edge-range-mismatch"), nullptr);
    const ShapeList faces = KorrTest::FacesOf(shape);
    ASSERT_EQ(faces.size(), 3u);
    KorrTest::ReportRecorder recorder;
    std::vector<float> positions, normals, texCoords;
    std::vector<unsigned int> indices;
    ExplorFaceOptions options;
    KMeshOptions meshOptions;
    options.Deflection = meshOptions.Deflection = 36;
    EXPECT_FALSE(KTopoFaceExplor::Explor(faces.front(), positions, indices, normals, texCoords, options) ||
                 KTopoFaceExplor::Explor(faces.front(), &positions, &indices, &normals, &texCoords, 36));
    EXPECT_EQ(recorder.messages(), std::vector<std::string>{"Triangulation of the face is NULL"});
    EXPECT_TRUE(KTopoFaceExplor::Explor(*std::next(faces.begin()), positions, indices, normals, texCoords, options));
    KShapeMesh mesh;
    ASSERT_TRUE(KShapeMesher::Mesh(shape, meshOptions, mesh) && !mesh.Parts.empty() &&
                mesh.Parts[0].Faces.size() == 3);
    EXPECT_TRUE(mesh.Parts[0].Faces[0].Triangles.Count == 0 && mesh.Parts[0].Faces[1].Triangles.Count > 0);
}
