#include "Internal/Brep/Geometry.h"

#include <GeomTools_Curve2dSet.hxx>
#include <GeomTools_CurveSet.hxx>
#include <GeomTools_SurfaceSet.hxx>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>
#include <locale>

#include "Internal/Brep/CurveCertainty.h"
#include "Internal/Core/Guarded.h"

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
    // Far more numbers than any text holds: refused before the count overflows.
    constexpr std::int64_t kMaxPoles = std::numeric_limits<std::int64_t>::max() / 4;
    return count <= kMaxPoles && cursor.Reals(count * (dimension + (weighted ? 1 : 0)));
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

// A B-spline curve; as a basis, notes whether it builds for certain.
bool BSplineCurve(Cursor& cursor, int dimension, bool basis, std::optional<CertainCurve>& certain)
{
    bool rational = false, periodic = false;
    std::int64_t degree = 0, poles = 0, knotCount = 0;
    if (!cursor.Flag(rational) || !cursor.Flag(periodic) || !cursor.Int(1, kMaxDegree, degree) ||
        !cursor.Int(2, kMaxCount, poles) || !cursor.Int(2, kMaxCount, knotCount))
        return false;
    if (!basis)
        return Poles(cursor, poles, dimension, rational) && Knots(cursor, knotCount, degree);
    double smallestWeight = 1;
    if (!rational && !Poles(cursor, poles, dimension, false))
        return false;
    for (std::int64_t i = 0; rational && i < poles; ++i) {
        double weight = 0;
        if (!cursor.Reals(dimension) || !cursor.NearReals(&weight, 1))
            return false;
        smallestWeight = std::min(smallestWeight, weight);
    }
    // The lists grow only with knots the text holds.
    std::vector<double> knots;
    std::vector<int> multiplicities;
    for (std::int64_t i = 0; i < knotCount; ++i) {
        double knot = 0;
        std::int64_t multiplicity = 0;
        if (!cursor.NearReals(&knot, 1) || !cursor.Int(1, degree + 1, multiplicity))
            return false;
        knots.push_back(knot);
        multiplicities.push_back(static_cast<int>(multiplicity));
    }
    certain = CertainBSpline(static_cast<int>(degree), periodic, poles, knots, multiplicities, smallestWeight);
    return true;
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
    // Set for a curve record that builds for certain.
    std::optional<CertainCurve> certain;
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

// Two unit directions in space near enough to parallel that the kernel may
// find no axes between them.
bool NearlyParallel(const double* a, const double* b)
{
    const double cross[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    return std::sqrt(cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2]) < kSafeSine;
}

// The axes of an elementary surface: a point, then main, X and Y directions.
// The kernel builds them before the numbers that follow.
bool SurfaceAxes(Scan& scan)
{
    double main[3] = {0, 0, 0}, x[3] = {0, 0, 0};
    if (!scan.cursor.Reals(3) || !Direction(scan, 3, main) || !Direction(scan, 3, x) || !Direction(scan, 3))
        return false;
    if (NearlyParallel(main, x))
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

bool Curve2dAt(Cursor& cursor, KernelRecords& kernel, int depth, std::optional<CertainCurve>& certain);
bool CurveAt(Cursor& cursor, KernelRecords& kernel, int depth, std::optional<CertainCurve>& certain);
bool SurfaceAt(Cursor& cursor, KernelRecords& kernel, int depth);

// A line: a point and a direction.
bool Line(Scan& scan, int dimension)
{
    if (!scan.cursor.Reals(dimension) || !Direction(scan, dimension))
        return false;
    if (!scan.doubtful)
        scan.certain = CertainCurve{};
    return true;
}

// A circle: its axes and radius. The kernel raises for a negative radius, and
// in space for parallel main and X directions.
bool Circle(Scan& scan, int dimension)
{
    double main[3] = {0, 0, 1}, x[3] = {0, 0, 0}, radius = 0;
    if (!scan.cursor.Reals(dimension) || (dimension == 3 && !Direction(scan, 3, main)) ||
        !Direction(scan, dimension, x) || !Direction(scan, dimension) || !scan.cursor.NearReals(&radius, 1))
        return false;
    if (!scan.doubtful && radius >= 0 && (dimension == 2 || !NearlyParallel(main, x)))
        scan.certain = CertainCurve{}; // periodic
    return true;
}

// A trimmed curve: its bounds, then its basis.
template <class Basis>
bool Trimmed(Scan& scan, Basis basis)
{
    double bounds[2] = {0, 0};
    std::optional<CertainCurve> basisCertain;
    if (!scan.cursor.NearReals(bounds, 2) || !basis(scan.cursor, scan.kernel, scan.depth + 1, basisCertain))
        return false;
    // Trimming a trimmed curve trims its basis again.
    if (basisCertain && TrimsCertainly(*basisCertain, bounds[0], bounds[1]))
        scan.certain = basisCertain;
    return true;
}

// The basis of an offset curve, or of a surface built from a curve.
template <class Basis>
bool Holding(Scan& scan, Basis basis)
{
    std::optional<CertainCurve> ignored;
    return basis(scan.cursor, scan.kernel, scan.depth + 1, ignored);
}

bool Curve2dLayout(Scan& scan)
{
    Cursor& cursor = scan.cursor;
    std::int64_t type = 0;
    if (!cursor.Int(1, 9, type))
        return false;
    switch (type) {
    case 1: return Line(scan, 2);
    case 2: return Circle(scan, 2);
    case 4: return ConicAxes(scan, 2) && cursor.Reals(1);                   // parabola: axes, focal length
    case 3: case 5: return ConicAxes(scan, 2) && cursor.Reals(2);           // ellipse, hyperbola: axes, two radii
    case 6: return BezierCurve(cursor, 2);
    case 7: return BSplineCurve(cursor, 2, scan.depth > 0, scan.certain);
    case 8: return Trimmed(scan, Curve2dAt);
    default: return cursor.Reals(1) && Holding(scan, Curve2dAt); // offset: distance, basis
    }
}

bool CurveLayout(Scan& scan)
{
    Cursor& cursor = scan.cursor;
    std::int64_t type = 0;
    if (!cursor.Int(1, 9, type))
        return false;
    switch (type) {
    case 1: return Line(scan, 3);
    case 2: return Circle(scan, 3);
    case 4: return ConicAxes(scan, 3) && cursor.Reals(1);
    case 3: case 5: return ConicAxes(scan, 3) && cursor.Reals(2);
    case 6: return BezierCurve(cursor, 3);
    case 7: return BSplineCurve(cursor, 3, scan.depth > 0, scan.certain);
    case 8: return Trimmed(scan, CurveAt);
    default: // offset: distance, direction, basis
        return cursor.Reals(1) && Direction(scan, 3) && Holding(scan, CurveAt);
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
    case 6: return Direction(scan, 3) && Holding(scan, CurveAt); // extrusion: direction, basis
    case 7: return cursor.Reals(3) && Direction(scan, 3) && Holding(scan, CurveAt); // revolution: axis, basis
    case 8: return BezierSurface(cursor);
    case 9: return BSplineSurface(cursor);
    case 10: return cursor.Reals(4) && SurfaceAt(cursor, scan.kernel, scan.depth + 1);   // trimmed: ranges, basis
    default: return cursor.Reals(1) && SurfaceAt(cursor, scan.kernel, scan.depth + 1);   // offset: distance, basis
    }
}

// The kernel reads the tables' records itself, and where one fails at its end
// leaves an empty entry that the shapes' reader skips (ReadScreened checks for
// those). Two kinds of record must be seen to build by the kernel's own
// record reader first, unless they build for certain: a basis at any depth,
// which the record holding it dereferences without a test (the innermost is
// built first, so no build dereferences a basis that failed), and a doubtful
// record, which might raise halfway and leave the reader inside it.
template <class Layout, class Read>
bool Record(Cursor& cursor, KernelRecords& kernel, int depth, std::optional<CertainCurve>& certain, Layout layout,
            Read read, bool* builds = nullptr)
{
    if (depth > kMaxNesting)
        return false;
    const std::size_t begin = cursor.Offset();
    Scan scan{cursor, kernel, depth, false, std::nullopt};
    if (!layout(scan))
        return false;
    certain = scan.certain;
    const bool mustBuild = (depth > 0 && !scan.certain) || scan.doubtful;
    if (builds)
        *builds = scan.certain || mustBuild;
    return !mustBuild || kernel.Build(begin, cursor.Offset(), read);
}

Handle(Geom2d_Curve) ReadCurve2d(std::istream& in) { return GeomTools_Curve2dSet::ReadCurve2d(in); }
Handle(Geom_Curve) ReadCurve(std::istream& in) { return GeomTools_CurveSet::ReadCurve(in); }
Handle(Geom_Surface) ReadSurface(std::istream& in) { return GeomTools_SurfaceSet::ReadSurface(in); }

bool Curve2dAt(Cursor& cursor, KernelRecords& kernel, int depth, std::optional<CertainCurve>& certain)
{
    return Record(cursor, kernel, depth, certain, Curve2dLayout, ReadCurve2d);
}

bool CurveAt(Cursor& cursor, KernelRecords& kernel, int depth, std::optional<CertainCurve>& certain)
{
    return Record(cursor, kernel, depth, certain, CurveLayout, ReadCurve);
}

bool SurfaceAt(Cursor& cursor, KernelRecords& kernel, int depth)
{
    std::optional<CertainCurve> never; // the screen tells no surface certain
    return Record(cursor, kernel, depth, never, SurfaceLayout, ReadSurface);
}

} // namespace

KernelRecords::KernelRecords(std::string_view text) : buffer(text) {}

template <class Read>
bool KernelRecords::Build(std::size_t begin, std::size_t end, Read read)
{
    return Guarded(false, [&] {
        if (!stream) {
            stream.emplace(&buffer);
            stream->imbue(std::locale::classic());
            // A stream failure throws, so a misread cannot spin.
            stream->exceptions(std::ios::failbit | std::ios::badbit);
        }
        buffer.Seek(begin);
        stream->clear();
        // The reader's extractions stop at the white space after a token.
        return !read(*stream).IsNull() && buffer.Offset() == end;
    });
}

bool Curve2dRecord(Cursor& cursor, KernelRecords& kernel, bool& builds)
{
    std::optional<CertainCurve> certain;
    return Record(cursor, kernel, 0, certain, Curve2dLayout, ReadCurve2d, &builds);
}

bool CurveRecord(Cursor& cursor, KernelRecords& kernel, bool& builds)
{
    std::optional<CertainCurve> certain;
    return Record(cursor, kernel, 0, certain, CurveLayout, ReadCurve, &builds);
}

bool SurfaceRecord(Cursor& cursor, KernelRecords& kernel, bool& builds)
{
    std::optional<CertainCurve> never;
    return Record(cursor, kernel, 0, never, SurfaceLayout, ReadSurface, &builds);
}

bool Curve2dBuilds(KernelRecords& kernel, const RecordSpan& record)
{
    return kernel.Build(record.begin, record.end, ReadCurve2d);
}

bool CurveBuilds(KernelRecords& kernel, const RecordSpan& record)
{
    return kernel.Build(record.begin, record.end, ReadCurve);
}

bool SurfaceBuilds(KernelRecords& kernel, const RecordSpan& record)
{
    return kernel.Build(record.begin, record.end, ReadSurface);
}

} // namespace KorrCore::BrepScreen
