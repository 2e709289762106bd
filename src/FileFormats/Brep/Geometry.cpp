#include "FileFormats/Brep/Geometry.h"

#include <GeomTools_Curve2dSet.hxx>
#include <GeomTools_CurveSet.hxx>
#include <GeomTools_SurfaceSet.hxx>

#include <climits>
#include <locale>
#include <sstream>
#include <string>

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

// The kernel reads the record from its own stream, followed by a sentinel
// token: the record must build and be consumed exactly. A stream failure
// throws, so a misread cannot spin.
template <class Build>
bool KernelBuilds(std::string_view record, Build build)
{
    return Guarded(false, [&] {
        std::istringstream in(std::string(record) + " ~");
        in.imbue(std::locale::classic());
        in.exceptions(std::ios::failbit | std::ios::badbit);
        const bool built = !build(in).IsNull();
        std::string rest;
        in >> rest;
        return built && rest == "~";
    });
}

bool Curve2dAt(Cursor& cursor, int depth);
bool CurveAt(Cursor& cursor, int depth);
bool SurfaceAt(Cursor& cursor, int depth);

bool Curve2dLayout(Cursor& cursor, int depth)
{
    std::int64_t type = 0;
    if (!cursor.Int(1, 9, type))
        return false;
    switch (type) {
    case 1: return cursor.Reals(4);                                  // line: point, direction
    case 2: case 4: return cursor.Reals(7);                          // circle, parabola: axes, radius
    case 3: case 5: return cursor.Reals(8);                          // ellipse, hyperbola: axes, two radii
    case 6: return BezierCurve(cursor, 2);
    case 7: return BSplineCurve(cursor, 2);
    case 8: return cursor.Reals(2) && Curve2dAt(cursor, depth + 1); // trimmed: range, basis
    default: return cursor.Reals(1) && Curve2dAt(cursor, depth + 1); // offset: distance, basis
    }
}

bool CurveLayout(Cursor& cursor, int depth)
{
    std::int64_t type = 0;
    if (!cursor.Int(1, 9, type))
        return false;
    switch (type) {
    case 1: return cursor.Reals(6);
    case 2: case 4: return cursor.Reals(13);
    case 3: case 5: return cursor.Reals(14);
    case 6: return BezierCurve(cursor, 3);
    case 7: return BSplineCurve(cursor, 3);
    case 8: return cursor.Reals(2) && CurveAt(cursor, depth + 1);
    default: return cursor.Reals(4) && CurveAt(cursor, depth + 1); // offset: distance, direction, basis
    }
}

bool SurfaceLayout(Cursor& cursor, int depth)
{
    std::int64_t type = 0;
    if (!cursor.Int(1, 11, type))
        return false;
    switch (type) {
    case 1: return cursor.Reals(12);                                  // plane: axes
    case 2: case 4: return cursor.Reals(13);                          // cylinder, sphere: axes, radius
    case 3: case 5: return cursor.Reals(14);                          // cone, torus: axes, two values
    case 6: return cursor.Reals(3) && CurveAt(cursor, depth + 1);     // extrusion: direction, basis
    case 7: return cursor.Reals(6) && CurveAt(cursor, depth + 1);     // revolution: axis, basis
    case 8: return BezierSurface(cursor);
    case 9: return BSplineSurface(cursor);
    case 10: return cursor.Reals(4) && SurfaceAt(cursor, depth + 1);  // trimmed: ranges, basis
    default: return cursor.Reals(1) && SurfaceAt(cursor, depth + 1);  // offset: distance, basis
    }
}

// A nested basis is checked, and built, before the record holding it: the
// kernel dereferences the basis it read without testing it.
template <class Layout, class Build>
bool Record(Cursor& cursor, int depth, Layout layout, Build build)
{
    if (depth > kMaxNesting)
        return false;
    const std::size_t begin = cursor.Offset();
    return layout(cursor, depth) &&
           (!cursor.BuildsRecords() || KernelBuilds(cursor.Text(begin, cursor.Offset()), build));
}

bool Curve2dAt(Cursor& cursor, int depth)
{
    return Record(cursor, depth, Curve2dLayout,
                  [](std::istream& in) { return GeomTools_Curve2dSet::ReadCurve2d(in); });
}

bool CurveAt(Cursor& cursor, int depth)
{
    return Record(cursor, depth, CurveLayout, [](std::istream& in) { return GeomTools_CurveSet::ReadCurve(in); });
}

bool SurfaceAt(Cursor& cursor, int depth)
{
    return Record(cursor, depth, SurfaceLayout,
                  [](std::istream& in) { return GeomTools_SurfaceSet::ReadSurface(in); });
}

} // namespace

bool Curve2dRecord(Cursor& cursor) { return Curve2dAt(cursor, 0); }
bool CurveRecord(Cursor& cursor) { return CurveAt(cursor, 0); }
bool SurfaceRecord(Cursor& cursor) { return SurfaceAt(cursor, 0); }

} // namespace KorrCore::BrepScreen
