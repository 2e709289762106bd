#pragma once

// What the tests share: the library, GoogleTest, the kernel's shapes and
// tools, kernel-side measurements of the library's results, checks of display
// meshes, a recorder of reports and scratch files.

#include <KorrGeomCore/KorrGeomCore.h>

#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Standard_Failure.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <gp_Ax2.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

// The folder of real files from other projects (KORRGEOM_SHARED_DATA_DIR in
// CMake). It is not part of the repository: a test that needs it skips,
// saying what is missing, when it is absent.
#define KORRTEST_SKIP_WITHOUT_SHARED_DATA()                                                                            \
    if (!std::filesystem::is_directory(KORRGEOM_SHARED_DATA_DIR "/brep"))                                              \
    GTEST_SKIP() << "no shared data: " KORRGEOM_SHARED_DATA_DIR "/brep is missing (set KORRGEOM_SHARED_DATA_DIR)"

namespace KorrTest {

using ::testing::AssertionResult;

// The handle's kernel shape; a null shape for a null handle, so that measuring
// a missing result fails its check instead of crashing the test.
const TopoDS_Shape& Kernel(const KorrCore::ShapePtr& shape);
// A new handle holding the kernel shape, for inputs the library's builders do
// not make (located, reversed or hand-built shapes).
KorrCore::ShapePtr Holding(const TopoDS_Shape& kernel);
// The shape's faces and edges as the library's explorers list them, and its
// direct children in order.
KorrCore::ShapeList FacesOf(const KorrCore::ShapePtr& shape);
KorrCore::ShapeList EdgesOf(const KorrCore::ShapePtr& shape);
std::vector<TopoDS_Shape> Children(const KorrCore::ShapePtr& shape);

// The size of the shape in its own dimension: the volume of what holds
// solids, the area of what holds faces, the length of edges and wires.
double Size(const KorrCore::ShapePtr& shape);
// A non-null handle holding a shape of the kind; with a size, also of that
// size (within tol of it, or of 1 when smaller), with a bounding box whose
// corners lie within tol of min and max.
AssertionResult HasKind(const KorrCore::ShapePtr& shape, KorrCore::TopoShapeType kind);
AssertionResult Is(const KorrCore::ShapePtr& shape, KorrCore::TopoShapeType kind, double size,
                   const KMath::Vector3& min, const KMath::Vector3& max, double tol = 1e-6);
AssertionResult BoundsNear(const KorrCore::ShapePtr& shape, const KMath::Vector3& min, const KMath::Vector3& max,
                           double tol);
// Number of distinct sub-shapes of a kind, orientation ignored.
int CountDistinct(const KorrCore::ShapePtr& shape, TopAbs_ShapeEnum kind);
// The kernel's validity check.
bool IsValid(const KorrCore::ShapePtr& shape);
double DistanceTo(const KorrCore::ShapePtr& shape, const KMath::Vector3& point);
// The points of the shape's distinct vertices in the kernel's map order, and
// whether two such lists agree entry by entry within tol.
std::vector<gp_Pnt> VertexPoints(const KorrCore::ShapePtr& shape);
AssertionResult PointsNear(const std::vector<gp_Pnt>& actual, const std::vector<gp_Pnt>& expected, double tol);

// What the kernel's triangulations of the shape's faces hold: how many faces
// there are, how many have one, and their triangles and nodes.
struct KernelTriangulation {
    int faces = 0, triangulated = 0, triangles = 0, nodes = 0;
};
KernelTriangulation Triangulated(const TopoDS_Shape& shape);
// The shape's first circular edge, such as a cylinder's rim.
TopoDS_Edge FirstCircle(const TopoDS_Shape& shape);

inline gp_XYZ Triple(const std::vector<float>& buffer, std::size_t i)
{
    return gp_XYZ(buffer[3 * i], buffer[3 * i + 1], buffer[3 * i + 2]);
}
// Display buffers (x, y, z per node, three node numbers per triangle) agree in
// size (a normal per node, whole triangles), every index names a node and
// every coordinate is finite. Shaded, as a renderer needs them, every normal
// also has unit length and each triangle's winding gives a normal on the side
// of its nodes' normals (triangles without area have no winding to test).
AssertionResult WellFormed(const std::vector<float>& positions, const std::vector<float>& normals,
                           const std::vector<unsigned int>& indices, bool shaded = true);
// The same for every part of a shape's mesh, whose face ranges must also
// follow each other without gap or overlap, cover every triangle and node
// (each with its texture coordinates) and name only their own nodes, as the
// edge ranges cover the edge points; the instances' ranges of faces and edges
// follow each other likewise, each as long as its part's lists.
AssertionResult WellFormed(const KorrCore::KShapeMesh& mesh);
// Every instance's triangles placed in the shape's frame, one after another:
// what a viewer draws. Normals turn with the placements, and a mirroring
// placement turns the winding round.
struct PlacedTriangles {
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<unsigned int> indices;
};
PlacedTriangles Placed(const KorrCore::KShapeMesh& mesh);
// The volume the triangles enclose, positive when they are wound
// counter-clockwise seen from outside.
double EnclosedVolume(const std::vector<float>& positions, const std::vector<unsigned int>& indices);

// A placement in an assembly: a move by (x, y, z), after a quarter turn
// about Z when asked.
KMath::Matrix4 Moved(double x, double y = 0, double z = 0, bool turned = false);
// Assembly "AS": a blue plate and two uses of "NUT-BOLT", a red bolt (a
// cylinder) and an uncoloured nut (a box) placed in it, the second use turned.
KorrCore::ShapePtr BuiltAssembly();

// Collects the message of every KcAssert report made while it lives, instead
// of printing it, and restores the previous handler afterwards.
class ReportRecorder {
public:
    ReportRecorder()
        : previous(KorrCore::KcAssert::SetReportHandler(
              [this](const std::string& message, const char*, int) { recorded.push_back(message); }))
    {
    }
    ~ReportRecorder() { KorrCore::KcAssert::SetReportHandler(previous); }
    ReportRecorder(const ReportRecorder&) = delete;
    ReportRecorder& operator=(const ReportRecorder&) = delete;
    const std::vector<std::string>& messages() const { return recorded; }
    std::size_t count() const { return recorded.size(); }

private:
    std::vector<std::string> recorded;
    KorrCore::KcAssert::ReportHandler previous;
};

// A host's progress indicator: records the fractions it is told and counts
// the questions, asking to stop from its `stopAt`-th on (never when 0), or
// throws from its first report.
struct RecordingHost : KorrCore::KProgressIndicator {
    explicit RecordingHost(int stopAt = 0, bool throws = false) : stopAt(stopAt), throws(throws) {}
    void OnProgress(double fraction) override
    {
        if (throws)
            throw std::runtime_error("host callback failed");
        fractions.push_back(fraction);
    }
    bool IsCancelled() override { return ++asked >= stopAt && stopAt > 0; }
    std::vector<double> fractions;
    int asked = 0, stopAt;
    bool throws;
};

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir() { std::filesystem::remove_all(root); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // The path of a (UTF-8) file name inside the directory, and how many entries it holds.
    const std::string& path() const { return root; }
    std::string file(const std::string& name) const { return root + "/" + name; }
    std::size_t entryCount() const
    {
        return std::distance(std::filesystem::directory_iterator(root), std::filesystem::directory_iterator());
    }

private:
    std::string root;
};

// Whole-file helpers (reading a missing file gives an empty string), and an
// ASCII path as the wide string a host would pass.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
std::wstring Wide(const std::string& ascii);

} // namespace KorrTest
