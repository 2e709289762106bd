#include "support/Checks.h"

#include <Poly_Triangulation.hxx>

using namespace KorrCore;
using KorrTest::Kernel;
using KorrTest::Triple;

namespace {

struct FaceMesh {
    std::vector<float> positions{9}, normals{9}, texCoords{42};
    std::vector<unsigned int> indices{9};
    ExplorFaceOptions options;
};

FaceMesh Shaded(const ShapePtr& face, ExplorFaceOptions options = {}, bool shown = true)
{
    FaceMesh m{{9}, {9}, {9}, {9}, options};
    EXPECT_EQ(KTopoFaceExplor::Explor(face, m.positions, m.indices, m.normals, m.texCoords, m.options), shown);
    return m;
}

// The pointer form: indexed, with surface parameters, or a triangle soup.
FaceMesh Raw(const ShapePtr& face, bool indexed = true)
{
    FaceMesh m;
    EXPECT_TRUE(KTopoFaceExplor::Explor(face, &m.positions, indexed ? &m.indices : nullptr, &m.normals,
                                        indexed ? &m.texCoords : nullptr, 0.1));
    return m;
}

// The faces of a 4 x 2 x 1 box, then a sphere's of radius 2 about (1, 2, 3).
ShapeList Faces()
{
    ShapeList faces = KorrTest::FacesOf(KBrepTools::MakeBox({0, 0, 0}, {0, 0, 1}, {4, 2, 1}));
    faces.push_back(KorrTest::FacesOf(KBrepTools::MakeSphere({1, 2, 3}, 2)).front());
    return faces;
}

// One triangle (0,0,0), (1,0,0), (0,1,0), or turned upright onto the plane
// x = 0; with parameters and normals of its own when asked.
Handle(Poly_Triangulation) OneTriangle(bool upright, bool parameters, bool normals)
{
    Handle(Poly_Triangulation) given = new Poly_Triangulation(3, 1, parameters, normals);
    for (int i = 1; i <= 3; ++i) {
        given->SetNode(i, upright ? gp_Pnt(0, i == 2, i == 3) : gp_Pnt(i == 2, i == 3, 0));
        if (parameters)
            given->SetUVNode(i, gp_Pnt2d(i == 2, i == 3));
        if (normals)
            given->SetNormal(i, gp_Dir(1, 1, 0));
    }
    given->SetTriangle(1, Poly_Triangle(1, 2, 3));
    return given;
}

} // namespace

TEST(KTopoFaceExplor, FacesAreShadedOutwardWithTheKernelsNodesAndBoundsAlsoMirroredAndThePointerFormKeepsTheirSide)
{
    const ShapeList faces = Faces();
    for (const ShapePtr& face : faces) {
        const FaceMesh mesh = Shaded(face);
        TopLoc_Location location;
        const Handle(Poly_Triangulation)& kernel = BRep_Tool::Triangulation(TopoDS::Face(Kernel(face)), location);
        EXPECT_TRUE(KorrTest::WellFormed(mesh.positions, mesh.normals, mesh.indices));
        ASSERT_TRUE(mesh.indices.size() == 3u * kernel->NbTriangles() &&
                    mesh.positions.size() == 3u * kernel->NbNodes());
        for (int i = 1; i <= kernel->NbNodes(); ++i) {
            const gp_XYZ position = Triple(mesh.positions, i - 1), normal = Triple(mesh.normals, i - 1);
            EXPECT_TRUE(position.IsEqual(kernel->Node(i).XYZ(), 1e-6) &&
                        mesh.texCoords[2 * i - 2] == float(kernel->UVNode(i).X()));
            EXPECT_TRUE(face == faces.back() ? normal.IsEqual((position - gp_XYZ(1, 2, 3)) / 2, 1e-5)
                                             : normal.Dot(position - gp_XYZ(2, 1, 0.5)) > 0);
        }
        double uMin, uMax, vMin, vMax;
        BRepTools::UVBounds(TopoDS::Face(Kernel(face)), uMin, uMax, vMin, vMax);
        EXPECT_TRUE(mesh.options.UVMin == KMath::Vector2(uMin, vMin) &&
                    mesh.options.UVMax == KMath::Vector2(uMax, vMax));
        // The pointer form keeps the surface's orientation, or gives a triangle soup.
        const FaceMesh raw = Raw(face), soup = Raw(face, false);
        const float side = Kernel(face).Orientation() == TopAbs_REVERSED ? -1.0f : 1.0f;
        EXPECT_TRUE(KorrTest::WellFormed(raw.positions, raw.normals, raw.indices, false));
        EXPECT_TRUE(raw.positions == mesh.positions && raw.texCoords == mesh.texCoords &&
                    (side < 0 || raw.indices == mesh.indices));
        for (std::size_t i = 0; i < raw.positions.size() / 3; ++i) {
            // Where the surface's derivatives vanish (a sphere's poles) the normal is a fixed stand-in.
            const bool pole = face == faces.back() && std::abs(std::abs(Triple(raw.positions, i).Z() - 3) - 2) < 1e-6;
            EXPECT_TRUE(
                Triple(raw.normals, i).IsEqual(pole ? gp_XYZ(0.5, 0, 0) : Triple(mesh.normals, i) * side, 1e-5));
        }
        ASSERT_TRUE(soup.positions.size() == 3 * raw.indices.size() && soup.normals.size() == soup.positions.size());
        EXPECT_EQ(soup.texCoords, std::vector<float>{42});
        for (std::size_t corner = 0; corner < raw.indices.size(); ++corner)
            EXPECT_TRUE(Triple(soup.positions, corner).IsEqual(Triple(raw.positions, raw.indices[corner]), 0) &&
                        Triple(soup.normals, corner).IsEqual(Triple(raw.normals, raw.indices[corner]), 0));
    }
    // Normalised, texture coordinates run over the bounds, scaled, offset and divided.
    ExplorFaceOptions options;
    options.NormalizeUV = true;
    const std::vector<float> sphere = Shaded(faces.back(), options).texCoords;
    EXPECT_TRUE(*std::min_element(sphere.begin(), sphere.end()) == 0 &&
                *std::max_element(sphere.begin(), sphere.end()) == 1);
    options.UVScale = options.UVDivisor = KMath::Vector2(2, 4);
    options.UVOffset = KMath::Vector2(0.5, 1);
    for (float coordinate : Shaded(faces.front(), options).texCoords)
        EXPECT_TRUE(coordinate == -0.25f || coordinate == 0.75f);
    // Divided by zero they are no coordinates at all: the face is refused.
    options.UVDivisor = KMath::Vector2(0, 0);
    Shaded(faces.front(), options, false);
    // A mirroring location turns the triangles' winding round; the normals still
    // point out of the reflected sphere, about (-1, 2, 3).
    gp_Trsf mirror;
    mirror.SetMirror(gp_Ax2(gp::Origin(), gp::DX()));
    const ShapePtr reflected = KorrTest::Holding(Kernel(Faces().back()).Moved(TopLoc_Location(mirror), Standard_False));
    const FaceMesh placed = Shaded(reflected);
    EXPECT_TRUE(KorrTest::WellFormed(placed.positions, placed.normals, placed.indices));
    for (std::size_t i = 0; i < placed.positions.size() / 3; ++i)
        EXPECT_GT(Triple(placed.normals, i).Dot(Triple(placed.positions, i) - gp_XYZ(-1, 2, 3)), 0) << "node " << i;
    // The pointer form needs positions, normals, and texture coordinates beside indices; other kinds raise.
    FaceMesh none{{}, {}, {}, {}, {}};
    EXPECT_FALSE(KTopoFaceExplor::Explor(faces.front(), nullptr, nullptr, &none.normals, nullptr, 0.1) ||
                 KTopoFaceExplor::Explor(faces.front(), &none.positions, nullptr, nullptr, nullptr, 0.1) ||
                 KTopoFaceExplor::Explor(faces.front(), &none.positions, &none.indices, &none.normals, nullptr, 0.1) ||
                 !none.positions.empty());
    EXPECT_THROW(Shaded(KorrTest::EdgesOf(faces.front()).front()), Standard_TypeMismatch);
    EXPECT_THROW(Raw(KBrepTools::MakeSphere({0, 0, 0}, 1)), Standard_TypeMismatch);
}

TEST(KTopoFaceExplor, AHostsTriangulationIsUsedWithItsNormalsOrThoseOfItsTrianglesAsAMeshAlonesAre)
{
    // The triangle lies on the box's bottom face, which is shown from either side.
    const ShapeList faces = KorrTest::FacesOf(KBrepTools::MakeBox({0, 0, 0}, {0, 0, 1}, {1, 1, 1}));
    const ShapePtr bottom = *std::find_if(faces.begin(), faces.end(),
                                          [](const ShapePtr& face) { return face->GetBBox().getMaximum().z < 0.5; });
    for (const ShapePtr& face : {bottom, KorrTest::Holding(Kernel(bottom).Reversed())}) {
        const double side = Kernel(face).Orientation() == TopAbs_REVERSED ? -1 : 1;
        for (const bool parameters : {true, false}) {
            BRep_Builder().UpdateFace(TopoDS::Face(Kernel(face)), OneTriangle(false, parameters, parameters));
            const FaceMesh mesh = Shaded(face);
            ASSERT_TRUE(mesh.normals.size() == 9 && mesh.texCoords.size() == (parameters ? 6 : 0));
            for (std::size_t i = 0; i < 3; ++i)
                EXPECT_TRUE(
                    Triple(mesh.normals, i)
                        .IsEqual((parameters ? gp_XYZ(M_SQRT1_2, M_SQRT1_2, 0) : gp_XYZ(0, 0, 1)) * side, 1e-6));
        }
        // The pointer form's normals need the parameters.
        FaceMesh pointer{{}, {}, {}, {}, {}};
        EXPECT_FALSE(KTopoFaceExplor::Explor(face, &pointer.positions, &pointer.indices, &pointer.normals,
                                             &pointer.texCoords, 0.1) ||
                     !pointer.positions.empty());
    }
    // What the kernel writes for a face it has only a mesh of: nodes with
    // parameters, no surface to differentiate.
    TopoDS_Face face;
    BRep_Builder().MakeFace(face, OneTriangle(true, true, false));
    FaceMesh raw = Raw(KorrTest::Holding(face));
    ASSERT_EQ(raw.normals.size(), 9u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_TRUE(Triple(raw.normals, i).IsEqual(gp_XYZ(1, 0, 0), 1e-6)) << "node " << i;
}
