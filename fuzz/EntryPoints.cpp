#include "EntryPoints.h"

#include <algorithm>
#include <tuple>

namespace KorrFuzz {

namespace {

using namespace KorrCore;
using KMath::Vector3;

// Arguments are drawn inside braces, which fixes their order: the order of
// function arguments is up to the compiler, and the fuzzer and the tests are
// built by different ones.
template <class Function, class... Values>
ShapePtr Apply(Function function, std::tuple<Values...> arguments)
{
    return std::apply(function, std::move(arguments));
}

// Point-list builders take a pointer and a count that may disagree with it.
ShapePtr FromPoints(Arguments& a, ShapePtr (*build)(Vector3*, int))
{
    std::vector<Vector3> points = a.Points();
    const int count = std::min(a.Count(), static_cast<int>(points.size()));
    return build(points.empty() ? nullptr : points.data(), count);
}

KMath::Quaternion Turn(Arguments& a)
{
    const auto [angle, axis] = std::tuple{a.Number(), a.Vector()};
    return KMath::Quaternion(KMath::Radian(angle), axis);
}

KPipeShellParam Pipe(Arguments& a)
{
    KPipeShellParam parameters;
    parameters.Spine = a.Operand();
    parameters.Mode = a.Choice(-1, 8);
    parameters.AxisOrigin = a.Vector();
    parameters.AxisDirection = a.Vector();
    parameters.AuxiliaryShape = a.Operand();
    parameters.CurvilinearEquivalence = a.Flag();
    parameters.KeepContact = a.Flag();
    for (int n = a.Choice(0, 2); n > 0; --n)
        parameters.AddProfile(KPipeShellParam::SectionProfile{a.Operand(), a.Flag(), a.Flag(), a.Vector(), a.Flag()});
    return parameters;
}

// The three in-place operations in turn on one operand, which is the result.
ShapePtr InPlace(Arguments& a)
{
    const ShapePtr shape = a.Operand();
    const auto [centre, factor] = std::tuple{a.Vector(), a.Number()};
    KFeatureTools::ScaleInplace(shape, centre, factor);
    KFeatureTools::TranslateInplace(shape, a.Vector());
    KFeatureTools::RotationInplace(shape, Turn(a));
    return shape;
}

ShapePtr MeshShell(Arguments& a)
{
    // Whole triangles, or a count that disagrees with the array.
    std::vector<Vector3> vertices = a.Points();
    const int count = a.Flag() ? static_cast<int>(vertices.size() / 3 * 3) : a.Count();
    return KBrepToolsEx::MakeMeshShell(vertices.empty() ? nullptr : vertices.data(),
                                       std::min(count, static_cast<int>(vertices.size())));
}

ShapePtr SplineSegments(Arguments& a)
{
    std::vector<Vector3> ends{Vector3(1, 1, 1)};
    const auto [points, segments] = std::tuple{a.Points(), a.Count()};
    KCurveTools::SplineToSegments(points, segments, ends);
    return nullptr;
}

} // namespace

const std::vector<EntryPoint>& EntryPoints()
{
    using A = Arguments&;
    static const std::vector<EntryPoint> entries = {
        {"MakeSphere", [](A a) { return Apply(&KBrepTools::MakeSphere, std::tuple{a.Vector(), a.Number()}); }},
        {"MakeCylinder",
         [](A a) {
             return Apply(&KBrepTools::MakeCylinder,
                          std::tuple{a.Vector(), a.Vector(), a.Number(), a.Number(), a.Number()});
         }},
        {"MakeBox", [](A a) { return Apply(&KBrepTools::MakeBox, std::tuple{a.Vector(), a.Vector(), a.Vector()}); }},
        {"MakeCone",
         [](A a) {
             return Apply(&KBrepTools::MakeCone,
                          std::tuple{a.Vector(), a.Vector(), a.Number(), a.Number(), a.Number(), a.Number()});
         }},
        {"MakeVertex", [](A a) { return KBrepTools::MakeVertex(a.Vector()); }},
        {"MakeLine", [](A a) { return Apply(&KBrepTools::MakeLine, std::tuple{a.Vector(), a.Vector()}); }},
        {"MakeCircle",
         [](A a) { return Apply(&KBrepTools::MakeCircle, std::tuple{a.Vector(), a.Number(), a.Vector()}); }},
        {"MakeEllipse",
         [](A a) {
             return Apply(&KBrepTools::MakeEllipse, std::tuple{a.Vector(), a.Number(), a.Number(), a.Vector()});
         }},
        {"MakeArc", [](A a) { return Apply(&KBrepTools::MakeArc, std::tuple{a.Vector(), a.Vector(), a.Vector()}); }},
        {"MakeArc3Pts",
         [](A a) { return Apply(&KBrepTools::MakeArc3Pts, std::tuple{a.Vector(), a.Vector(), a.Vector()}); }},
        {"MakePolyline", [](A a) { return FromPoints(a, &KBrepTools::MakePolyline); }},
        {"MakePolygon", [](A a) { return FromPoints(a, &KBrepTools::MakePolygon); }},
        {"MakeSpline", [](A a) { return FromPoints(a, &KBrepTools::MakeSpline); }},
        {"MakeWire", [](A a) { return KBrepTools::MakeWire(a.Operands()); }},
        {"MakeFace", [](A a) { return KBrepTools::MakeFace(a.Operand()); }},
        {"MakeShell", [](A a) { return KBrepTools::MakeShell(a.Operands()); }},
        {"MakeSolid", [](A a) { return KBrepTools::MakeSolid(a.Operands()); }},
        {"MakeCompound", [](A a) { return KBrepTools::MakeCompound(a.Operands()); }},
        {"Extrude",
         [](A a) { return Apply(&KFeatureTools::Extrude, std::tuple{a.Operand(), a.Number(), a.Vector()}); }},
        {"Revol",
         [](A a) {
             return Apply(&KFeatureTools::Revol, std::tuple{a.Operand(), a.Vector(), a.Vector(), a.Number()});
         }},
        {"Boolean",
         [](A a) {
             const auto operation = static_cast<KBooleanOp>(a.Choice(-1, 3));
             return Apply(&KFeatureTools::Boolean, std::tuple{a.Operand(), a.Operand(), operation});
         }},
        {"SurfaceSection",
         [](A a) { return Apply(&KFeatureTools::SurfaceSection, std::tuple{a.Operand(), a.Operand()}); }},
        {"Fillet", [](A a) { return Apply(&KFeatureTools::Fillet, std::tuple{a.Operand(), a.Number()}); }},
        {"Chamfer",
         [](A a) { return Apply(&KFeatureTools::Chamfer, std::tuple{a.Operand(), a.Number(), a.Number()}); }},
        {"MakeLoft", [](A a) { return Apply(&KFeatureTools::MakeLoft, std::tuple{a.Operands(), a.Flag()}); }},
        {"MakePipeShell", [](A a) { return KFeatureTools::MakePipeShell(Pipe(a)); }},
        {"Scale", [](A a) { return Apply(&KFeatureTools::Scale, std::tuple{a.Operand(), a.Vector(), a.Number()}); }},
        {"Rotation(quaternion)",
         [](A a) {
             const ShapePtr shape = a.Operand();
             return KFeatureTools::Rotation(shape, Turn(a));
         }},
        {"Rotation(axis)",
         [](A a) {
             const auto [shape, point, direction, degrees] = std::tuple{a.Operand(), a.Vector(), a.Vector(), a.Number()};
             return KFeatureTools::Rotation(shape, point, direction, degrees);
         }},
        {"Translate", [](A a) { return Apply(&KFeatureTools::Translate, std::tuple{a.Operand(), a.Vector()}); }},
        {"Transform", [](A a) { return Apply(&KFeatureTools::Transform, std::tuple{a.Operand(), a.Matrix()}); }},
        {"MakeMirror",
         [](A a) { return Apply(&KFeatureTools::MakeMirror, std::tuple{a.Operand(), a.Vector(), a.Vector()}); }},
        {"InPlace", InPlace},
        {"KBrepToolsEx::MakeBox",
         [](A a) {
             return Apply(&KBrepToolsEx::MakeBox, std::tuple{a.Vector(), a.Vector(), a.Number(), a.Number()});
         }},
        {"KBrepToolsEx::MakeRoad",
         [](A a) {
             return Apply(&KBrepToolsEx::MakeRoad,
                          std::tuple{a.Vector(), a.Vector(), a.Number(), a.Number(), a.Number(), a.Flag()});
         }},
        {"KBrepToolsEx::MakeMeshShell", MeshShell},
        {"SplineToSegments", SplineSegments},
    };
    return entries;
}

} // namespace KorrFuzz
