// Single records of a BRep file that the kernel's reader mishandles, and
// numbers at the edge of what the screen passes, in a one-edge file. The
// reader leaves an empty entry where it cannot build a record, and edges
// quietly lose their curve; it stops halfway inside a record on a zero
// direction; it crashes on a trimmed curve whose basis it could not build.

#include "support/Checks.h"

#include "FuzzMemoryFile.h"

#include <sstream>

using namespace KorrCore;

namespace {

struct Edit {
    const char* what;
    const char* curve; // the file's only curve record
    bool reads;
    const char* x = "0";        // of the first vertex
    const char* range = "0 10"; // of the edge on the curve
};

const char kLine[] = "1 0 0 0 1 0 0";

const Edit kEdits[] = {
    {"the file as written", kLine, true},
    {"a circle of negative radius", "2 0 0 0 0 0 1 1 0 0 0 1 0 -5", false},
    {"a circle with a zero main direction", "2 0 0 0 0 0 0 1 0 0 0 1 0 5", false},
    {"a trimmed line", "8 0 10 1 0 0 0 1 0 0", true},
    {"a trimmed line without length", "8 1 1 1 0 0 0 1 0 0", false},
    {"a trimmed curve of that", "8 0 1 8 1 1 1 0 0 0 1 0 0", false},
    {"a trimmed circle of negative radius", "8 0 1 2 0 0 0 0 0 1 1 0 0 0 1 0 -5", false},
    {"a trimmed curve of that", "8 0 1 8 0 1 2 0 0 0 0 0 1 1 0 0 0 1 0 -5", false},
    // Bases the kernel builds as a trimmed curve's basis: a B-spline segment
    // from (0,0,0) to (10,0,0) over [0, 1], and the ways it can fail.
    {"a trimmed trimmed B-spline", "8 0 1 8 0 1 7 0 0 1 2 2 0 0 0 10 0 0 0 2 1 2", true},
    {"a trimmed B-spline trimmed beyond its knots", "8 0 1 8 0 2 7 0 0 1 2 2 0 0 0 10 0 0 0 2 1 2", false},
    {"a trimmed B-spline trimmed far beyond its knots", "8 0 1 8 0 2e5 7 0 0 1 2 2 0 0 0 10 0 0 0 2 1 2", false},
    {"a trimmed B-spline with falling knots", "8 0 1 8 0 1 7 0 0 1 2 2 0 0 0 10 0 0 1 2 0 2", false},
    {"a trimmed B-spline with too few multiplicities", "8 0 1 8 0 1 7 0 0 1 2 2 0 0 0 10 0 0 0 1 1 2", false},
    {"a trimmed rational B-spline", "8 0 1 8 0 1 7 1 0 1 2 2 0 0 0 1 10 0 0 1 0 2 1 2", true},
    {"a trimmed B-spline with a zero weight", "8 0 1 8 0 1 7 1 0 1 2 2 0 0 0 0 10 0 0 1 0 2 1 2", false},
    {"a coordinate rounding to the model scale", kLine, false, "999999999999.99999", "0 10"},
    {"a coordinate just inside the model scale", kLine, true, "999999999999.9", "0 10"},
    {"a range reversed by one unit in the last place", kLine, false, "0", "1.0000000000000002 1"},
    {"a range of one unit in the last place", kLine, true, "0", "1 1.0000000000000002"},
    {"a range reaching the kernel's infinity", kLine, true, "0", "0 2e100"},
    {"a range reaching beyond the model scale", kLine, false, "0", "0 1e100"},
};

std::string OneEdgeFile(const Edit& edit)
{
    std::ostringstream text;
    text << "\nCASCADE Topology V3, (c) Open Cascade\nLocations 0\nCurve2ds 0\nCurves 1\n"
         << edit.curve << " \nPolygon3D 0\nPolygonOnTriangulations 0\nSurfaces 0\nTriangulations 0\n\n"
         << "TShapes 3\nVe\n1e-07\n"
         << edit.x << " 0 0\n0 0\n\n0101101\n*\n"
         << "Ve\n1e-07\n10 0 0\n0 0\n\n0101101\n*\n"
         << "Ed\n 1e-07 1 1 0\n1  1 0 " << edit.range << "\n0\n\n1101000\n+3 0 -2 0 *\n\n+1 0 \n";
    return text.str();
}

bool HasCurve(const TopoDS_Shape& edge)
{
    double first = 0, last = 0;
    return !BRep_Tool::Curve(TopoDS::Edge(edge), first, last).IsNull();
}

} // namespace

TEST(BrepRecords, AFileReadsOnlyWithEveryRecordItsShapesReferTo)
{
    const KorrFuzz::MemoryFile file;
    for (const Edit& edit : kEdits) {
        const ShapePtr read = KBrepTools::ReadBrepFile(file.Holding(OneEdgeFile(edit)), nullptr);
        ASSERT_EQ(read != nullptr, edit.reads) << edit.what;
        if (read) {
            EXPECT_TRUE(HasCurve(KorrTest::Kernel(read))) << edit.what;
        }
    }
}

// The kernel's reader takes no number for a second record it cannot build, so
// the records after it move up one: here the edge would lie on the line along
// Y that follows its own. Records no shape uses must build as well.
TEST(BrepRecords, RecordsNoShapeUsesBuildOrTheFileIsRefused)
{
    const std::string negativeCircle = "2 0 0 0 0 0 1 1 0 0 0 1 0 -5\n";
    std::string text = OneEdgeFile(kEdits[0]);
    text.replace(text.find("Curves 1\n"), 9, "Curves 4\n" + negativeCircle + negativeCircle);
    text.replace(text.find("Polygon3D"), 0, "1 0 0 0 0 1 0\n");
    text.replace(text.find("1  1 0 "), 7, "1  3 0 ");
    const KorrFuzz::MemoryFile file;
    EXPECT_FALSE(KBrepTools::ReadBrepFile(file.Holding(text), nullptr));
}
