#include "FileFormats/Brep/Geometry.h"

#include <GeomTools_Curve2dSet.hxx>
#include <GeomTools_CurveSet.hxx>
#include <GeomTools_SurfaceSet.hxx>

#include <algorithm>
#include <climits>
#include <cmath>
#include <locale>

#include "Core/Guarded.h"

namespace KorrCore::BrepScreen {

namespace {

// The kernel's largest B-spline and Bezier degree.
constexpr std::int64_t kMaxDegree = 25;
// Trimmed and offset records hold their basis record, which the kernel reads
// recursively; real files nest a few levels at most.
constexpr int kMaxNesting = 16;
constexpr std::int64_t kMaxCount = INT_MAX;

bool Poles(Cursor& cursor, std::int64_t count, int dimension, bool weighted)
{
    for (std::int64_t i = 0; i < count; ++i)
        if (!cursor.Reals(dimension + (weighted ? 1 : 0)))
            return false;
    return true;
}

// Knot values, each with its multiplicity.
bool Knots(Cursor& cursor, std::int64_t count, std::int64_t degree)
{
    for (std::int64_t i = 0; i < count; ++i)
        if (!cursor.Reals(1) || !cursor.Int(1, degree + 1))
            return false;
    return true;
}

bool BezierCurve(Cursor& cursor, int dimension)
{
    bool rational = false;
    std::int64_t degree = 0;
    return cursor.Flag(rational) && cursor.Int(1, kMaxDegree, degree) && Poles(cursor, degree + 1, dimension, rational);
}

bool BSplineCurve(Cursor& cursor, int dimension)
{
    bool rational = false;
    std::int64_t degree = 0, poles = 0, knots = 0;
    return cursor.Flag(rational) && cursor.Flag() && cursor.Int(1, kMaxDegree, degree) &&
           cursor.Int(2, kMaxCount, poles) && cursor.Int(2, kMaxCount, knots) &&
           Poles(cursor, poles, dimension, rational) && Knots(cursor, knots, degree);
}

bool BezierSurface(Cursor& cursor)
{
    bool uRational = false, vRational = false;
    std::int64_t uDegree = 0, vDegree = 0;
    return cursor.Flag(uRational) && cursor.Flag(vRational) && cursor.Int(1, kMaxDegree, uDegree) &&
           cursor.Int(1, kMaxDegree, vDegree) &&
           Poles(cursor, (uDegree + 1) * (vDegree + 1), 3, uRational || vRational);
}

bool BSplineSurface(Cursor& cursor)
{
    bool uRational = false, vRational = false;
    std::int64_t uDegree = 0, vDegree = 0, uPoles = 0, vPoles = 0, uKnots = 0, vKnots = 0;
    return cursor.Flag(uRational) && cursor.Flag(vRational) && cursor.Flag() && cursor.Flag() &&
           cursor.Int(1, kMaxDegree, uDegree) && cursor.Int(1, kMaxDegree, vDegree) &&
           cursor.Int(2, kMaxCount, uPoles) && cursor.Int(2, kMaxCount, vPoles) &&
           cursor.Int(2, kMaxCount, uKnots) && cursor.Int(2, kMaxCount, vKnots) &&
           Poles(cursor, uPoles * vPoles, 3, uRational || vRational) && Knots(cursor, uKnots, uDegree) &&
           Knots(cursor, vKnots, vDegree);
}

// One record being walked. The kernel's reader normalises directions and
// builds the axes of surfaces as it goes, and raises halfway through the
// record for a zero direction or for parallel main and X directions, leaving
// itself inside the record; far from those, nothing it does before the
// record's end can raise.
struct Scan {
    Cursor& cursor;
    KernelRecords& kernel;
    int depth; // 0 for an entry of the table, 1 for the basis it holds, ...
    bool doubtful = false; // holds a direction near zero or axes near parallel
};

// Components at least this large square to a sum far from zero.
constexpr double kSafeComponent = 1e-100;
// Unit main and X directions whose cross product is at least this long are
// far from parallel.
constexpr double kSafeSine = 1e-6;

bool Direction(Scan& scan, int dimension, double* unit = nullptr)
{
    double values[3] = {0, 0, 0};
    if (!scan.cursor.NearReals(values, dimension))
        return false;
    double largest = 0;
    for (int i = 0; i < dimension; ++i)
        largest = std::max(largest, std::abs(values[i]));
    if (largest < kSafeComponent) {
        scan.doubtful = true;
        return true;
    }
    if (unit) {
        double squares = 0;
        for (int i = 0; i < dimension; ++i)
            squares += (values[i] / largest) * (values[i] / largest);
        const double length = largest * std::sqrt(squares);
        for (int i = 0; i < dimension; ++i)
            unit[i] = values[i] / length;
    }
    return true;
}

// The axes of an elementary surface: a point, then main, X and Y directions.
bool SurfaceAxes(Scan& scan)
{
    double main[3] = {0, 0, 0}, x[3] = {0, 0, 0};
    if (!scan.cursor.Reals(3) || !Direction(scan, 3, main) || !Direction(scan, 3, x) || !Direction(scan, 3))
        return false;
    const double cross[3] = {main[1] * x[2] - main[2] * x[1], main[2] * x[0] - main[0] * x[2],
                             main[0] * x[1] - main[1] * x[0]};
    if (std::sqrt(cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2]) < kSafeSine)
        scan.doubtful = true;
    return true;
}

// A conic's axes: a point, then as many directions as it has dimensions
// (main, X and Y in space; X and Y in the plane).
bool ConicAxes(Scan& scan, int dimension)
{
    if (!scan.cursor.Reals(dimension))
        return false;
    for (int i = 0; i < dimension; ++i)
        if (!Direction(scan, dimension))
            return false;
    return true;
}

bool Curve2dAt(Cursor& cursor, KernelRecords& kernel, int depth);
bool CurveAt(Cursor& cursor, KernelRecords& kernel, int depth);
bool SurfaceAt(Cursor& cursor, KernelRecords& kernel, int depth);

bool Curve2dLayout(Scan& scan)
{
    Cursor& cursor = scan.cursor;
    std::int64_t type = 0;
    if (!cursor.Int(1, 9, type))
        return false;
    switch (type) {
    case 1: return cursor.Reals(2) && Direction(scan, 2);                   // line: point, direction
    case 2: case 4: return ConicAxes(scan, 2) && cursor.Reals(1);           // circle, parabola: axes, radius
    case 3: case 5: return ConicAxes(scan, 2) && cursor.Reals(2);           // ellipse, hyperbola: axes, two radii
    case 6: return BezierCurve(cursor, 2);
    case 7: return BSplineCurve(cursor, 2);
    case 8: return cursor.Reals(2) && Curve2dAt(cursor, scan.kernel, scan.depth + 1);    // trimmed: range, basis
    default: return cursor.Reals(1) && Curve2dAt(cursor, scan.kernel, scan.depth + 1);   // offset: distance, basis
    }
}

bool CurveLayout(Scan& scan)
{
    Cursor& cursor = scan.cursor;
    std::int64_t type = 0;
    if (!cursor.Int(1, 9, type))
        return false;
    switch (type) {
    case 1: return cursor.Reals(3) && Direction(scan, 3);
    case 2: case 4: return ConicAxes(scan, 3) && cursor.Reals(1);
    case 3: case 5: return ConicAxes(scan, 3) && cursor.Reals(2);
    case 6: return BezierCurve(cursor, 3);
    case 7: return BSplineCurve(cursor, 3);
    case 8: return cursor.Reals(2) && CurveAt(cursor, scan.kernel, scan.depth + 1);
    default: // offset: distance, direction, basis
        return cursor.Reals(1) && Direction(scan, 3) && CurveAt(cursor, scan.kernel, scan.depth + 1);
    }
}

bool SurfaceLayout(Scan& scan)
{
    Cursor& cursor = scan.cursor;
    std::int64_t type = 0;
    if (!cursor.Int(1, 11, type))
        return false;
    switch (type) {
    case 1: return SurfaceAxes(scan);                                        // plane
    case 2: case 4: return SurfaceAxes(scan) && cursor.Reals(1);             // cylinder, sphere: radius
    case 3: case 5: return SurfaceAxes(scan) && cursor.Reals(2);             // cone, torus: two values
    case 6: return Direction(scan, 3) && CurveAt(cursor, scan.kernel, scan.depth + 1);    // extrusion: direction, basis
    case 7: // revolution: axis, basis
        return cursor.Reals(3) && Direction(scan, 3) && CurveAt(cursor, scan.kernel, scan.depth + 1);
    case 8: return BezierSurface(cursor);
    case 9: return BSplineSurface(cursor);
    case 10: return cursor.Reals(4) && SurfaceAt(cursor, scan.kernel, scan.depth + 1);   // trimmed: ranges, basis
    default: return cursor.Reals(1) && SurfaceAt(cursor, scan.kernel, scan.depth + 1);   // offset: distance, basis
    }
}

// The kernel reads the tables' records itself, and where one fails at its end
// leaves an empty entry that the shapes' reader skips (ReadScreened checks for
// those). Two kinds of record must be seen to build by the kernel's own
// record reader first: a basis at any depth, which the record holding it
// dereferences without a test (the innermost is built first, so no build
// dereferences a basis that failed), and a doubtful record, which might raise
// halfway and leave the reader inside it.
template <class Layout, class Read>
bool Record(Cursor& cursor, KernelRecords& kernel, int depth, Layout layout, Read read)
{
    if (depth > kMaxNesting)
        return false;
    const std::size_t begin = cursor.Offset();
    Scan scan{cursor, kernel, depth};
    if (!layout(scan))
        return false;
    const bool mustBuild = depth > 0 || scan.doubtful;
    return !mustBuild || kernel.Build(begin, cursor.Offset(), read);
}

bool Curve2dAt(Cursor& cursor, KernelRecords& kernel, int depth)
{
    return Record(cursor, kernel, depth, Curve2dLayout,
                  [](std::istream& in) { return GeomTools_Curve2dSet::ReadCurve2d(in); });
}

bool CurveAt(Cursor& cursor, KernelRecords& kernel, int depth)
{
    return Record(cursor, kernel, depth, CurveLayout,
                  [](std::istream& in) { return GeomTools_CurveSet::ReadCurve(in); });
}

bool SurfaceAt(Cursor& cursor, KernelRecords& kernel, int depth)
{
    return Record(cursor, kernel, depth, SurfaceLayout,
                  [](std::istream& in) { return GeomTools_SurfaceSet::ReadSurface(in); });
}

} // namespace

KernelRecords::KernelRecords(std::string_view text) : buffer(text), stream(&buffer)
{
    stream.imbue(std::locale::classic());
    // A stream failure throws, so a misread cannot spin.
    stream.exceptions(std::ios::failbit | std::ios::badbit);
}

template <class Read>
bool KernelRecords::Build(std::size_t begin, std::size_t end, Read read)
{
    return Guarded(false, [&] {
        buffer.Seek(begin);
        stream.clear();
        // The reader's extractions stop at the white space after a token.
        return !read(stream).IsNull() && buffer.Offset() == end;
    });
}

bool Curve2dRecord(Cursor& cursor, KernelRecords& kernel) { return Curve2dAt(cursor, kernel, 0); }
bool CurveRecord(Cursor& cursor, KernelRecords& kernel) { return CurveAt(cursor, kernel, 0); }
bool SurfaceRecord(Cursor& cursor, KernelRecords& kernel) { return SurfaceAt(cursor, kernel, 0); }

} // namespace KorrCore::BrepScreen
