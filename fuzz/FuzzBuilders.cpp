// Drives the builders and operations with arbitrary doubles, counts and
// operands. The input is a small program: each step picks one library call,
// takes its numbers from the input and its shape operands from the shapes built
// so far, and keeps its result for later steps. Every result is then inspected
// as a host would. Any crash, sanitizer report, leak or run past libFuzzer's
// -timeout is a finding.

#include <KorrGeomCore/KorrGeomCore.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "FuzzInspect.h"
#include "FuzzValues.h"

using namespace KorrCore;
using KMath::Vector3;
using KorrFuzz::ConsumeNastyDouble;
using KorrFuzz::ConsumeNastyVector;

namespace {

constexpr std::size_t kMaxSteps = 6;

// KORRFUZZ_TRACE=1 lists the steps of a program and their numbers, to read a
// finding.
bool Tracing()
{
    static const bool trace = std::getenv("KORRFUZZ_TRACE") != nullptr;
    return trace;
}
constexpr int kMaxPoints = 8;

class Program {
public:
    explicit Program(FuzzedDataProvider& input) : data(input) {}

    double Number()
    {
        const double value = ConsumeNastyDouble(data);
        if (Tracing())
            std::fprintf(stderr, "  %.17g\n", value);
        return value;
    }
    Vector3 Vector()
    {
        const Vector3 value = ConsumeNastyVector(data);
        if (Tracing())
            std::fprintf(stderr, "  (%.17g, %.17g, %.17g)\n", value.x, value.y, value.z);
        return value;
    }
    int Count() { return data.ConsumeIntegralInRange<int>(-2, kMaxPoints); }
    bool Flag() { return data.ConsumeBool(); }

    // A shape built earlier, or now and then none at all.
    ShapePtr Operand()
    {
        const std::size_t pick = data.ConsumeIntegralInRange<std::size_t>(0, shapes.size());
        if (Tracing())
            std::fprintf(stderr, "  shape #%zu\n", pick);
        return pick < shapes.size() ? shapes[pick] : nullptr;
    }

    ShapeList Operands()
    {
        ShapeList list;
        for (int n = data.ConsumeIntegralInRange<int>(0, 4); n > 0; --n)
            list.push_back(Operand());
        return list;
    }

    std::vector<Vector3> Points()
    {
        std::vector<Vector3> points;
        for (int n = data.ConsumeIntegralInRange<int>(0, kMaxPoints); n > 0; --n)
            points.push_back(Vector());
        return points;
    }

    void Keep(const ShapePtr& shape) { shapes.push_back(shape); }
    const std::vector<ShapePtr>& Built() const { return shapes; }
    bool Done() const { return data.remaining_bytes() == 0 || shapes.size() >= kMaxSteps; }
    FuzzedDataProvider& Input() { return data; }

private:
    FuzzedDataProvider& data;
    std::vector<ShapePtr> shapes;
};

// Point-list builders take a pointer and a count that may disagree with it.
ShapePtr FromPoints(Program& p, ShapePtr (*build)(Vector3*, int))
{
    std::vector<Vector3> points = p.Points();
    const int count = std::min<int>(p.Count(), static_cast<int>(points.size()));
    return build(points.empty() ? nullptr : points.data(), count);
}

KMath::Matrix4 AnyMatrix(Program& p)
{
    KMath::Matrix4 m;
    for (double& entry : m.m)
        entry = p.Flag() ? p.Number() : entry;
    return m;
}

KPipeShellParam AnyPipe(Program& p)
{
    KPipeShellParam parameters;
    parameters.Spine = p.Operand();
    parameters.Mode = p.Input().ConsumeIntegralInRange<int>(-1, 8);
    parameters.AxisOrigin = p.Vector();
    parameters.AxisDirection = p.Vector();
    parameters.AuxiliaryShape = p.Operand();
    parameters.CurvilinearEquivalence = p.Flag();
    parameters.KeepContact = p.Flag();
    for (int n = p.Input().ConsumeIntegralInRange<int>(0, 2); n > 0; --n) {
        KPipeShellParam::SectionProfile profile;
        profile.Profile = p.Operand();
        profile.WithContact = p.Flag();
        profile.WithCorrection = p.Flag();
        profile.Location = p.Vector();
        profile.UseLocation = p.Flag();
        parameters.AddProfile(profile);
    }
    return parameters;
}

using Step = std::function<ShapePtr(Program&)>;

const std::vector<Step>& Steps()
{
    static const std::vector<Step> steps = {
        [](Program& p) { return KBrepTools::MakeSphere(p.Vector(), p.Number()); },
        [](Program& p) { return KBrepTools::MakeCylinder(p.Vector(), p.Vector(), p.Number(), p.Number(), p.Number()); },
        [](Program& p) { return KBrepTools::MakeBox(p.Vector(), p.Vector(), p.Vector()); },
        [](Program& p) {
            return KBrepTools::MakeCone(p.Vector(), p.Vector(), p.Number(), p.Number(), p.Number(), p.Number());
        },
        [](Program& p) { return KBrepTools::MakeVertex(p.Vector()); },
        [](Program& p) { return KBrepTools::MakeLine(p.Vector(), p.Vector()); },
        [](Program& p) { return KBrepTools::MakeCircle(p.Vector(), p.Number(), p.Vector()); },
        [](Program& p) { return KBrepTools::MakeEllipse(p.Vector(), p.Number(), p.Number(), p.Vector()); },
        [](Program& p) { return KBrepTools::MakeArc(p.Vector(), p.Vector(), p.Vector()); },
        [](Program& p) { return KBrepTools::MakeArc3Pts(p.Vector(), p.Vector(), p.Vector()); },
        [](Program& p) { return FromPoints(p, &KBrepTools::MakePolyline); },
        [](Program& p) { return FromPoints(p, &KBrepTools::MakePolygon); },
        [](Program& p) { return FromPoints(p, &KBrepTools::MakeSpline); },
        [](Program& p) { return KBrepTools::MakeWire(p.Operands()); },
        [](Program& p) { return KBrepTools::MakeFace(p.Operand()); },
        [](Program& p) { return KBrepTools::MakeShell(p.Operands()); },
        [](Program& p) { return KBrepTools::MakeSolid(p.Operands()); },
        [](Program& p) { return KBrepTools::MakeCompound(p.Operands()); },
        [](Program& p) { return KFeatureTools::Extrude(p.Operand(), p.Number(), p.Vector()); },
        [](Program& p) { return KFeatureTools::Revol(p.Operand(), p.Vector(), p.Vector(), p.Number()); },
        [](Program& p) {
            const auto op = static_cast<KBooleanOp>(p.Input().ConsumeIntegralInRange<int>(-1, 3));
            return KFeatureTools::Boolean(p.Operand(), p.Operand(), op);
        },
        [](Program& p) { return KFeatureTools::SurfaceSection(p.Operand(), p.Operand()); },
        [](Program& p) { return KFeatureTools::Fillet(p.Operand(), p.Number()); },
        [](Program& p) { return KFeatureTools::Chamfer(p.Operand(), p.Number(), p.Number()); },
        [](Program& p) { return KFeatureTools::MakeLoft(p.Operands(), p.Flag()); },
        [](Program& p) { return KFeatureTools::MakePipeShell(AnyPipe(p)); },
        [](Program& p) { return KFeatureTools::Scale(p.Operand(), p.Vector(), p.Number()); },
        [](Program& p) {
            return KFeatureTools::Rotation(p.Operand(), KMath::Quaternion(KMath::Radian(p.Number()), p.Vector()));
        },
        [](Program& p) { return KFeatureTools::Rotation(p.Operand(), p.Vector(), p.Vector(), p.Number()); },
        [](Program& p) { return KFeatureTools::Translate(p.Operand(), p.Vector()); },
        [](Program& p) { return KFeatureTools::Transform(p.Operand(), AnyMatrix(p)); },
        [](Program& p) { return KFeatureTools::MakeMirror(p.Operand(), p.Vector(), p.Vector()); },
        [](Program& p) {
            ShapePtr shape = p.Operand();
            KFeatureTools::ScaleInplace(shape, p.Vector(), p.Number());
            KFeatureTools::TranslateInplace(shape, p.Vector());
            KFeatureTools::RotationInplace(shape, KMath::Quaternion(KMath::Radian(p.Number()), p.Vector()));
            return shape;
        },
        [](Program& p) { return KBrepToolsEx::MakeBox(p.Vector(), p.Vector(), p.Number(), p.Number()); },
        [](Program& p) {
            return KBrepToolsEx::MakeRoad(p.Vector(), p.Vector(), p.Number(), p.Number(), p.Number(), p.Flag());
        },
        [](Program& p) {
            // Whole triangles, or a count that disagrees with the array.
            std::vector<Vector3> vertices = p.Points();
            const int count = p.Flag() ? static_cast<int>(vertices.size() / 3 * 3) : p.Count();
            return KBrepToolsEx::MakeMeshShell(vertices.empty() ? nullptr : vertices.data(),
                                               std::min<int>(count, static_cast<int>(vertices.size())));
        },
        [](Program& p) {
            std::vector<Vector3> ends{Vector3(1, 1, 1)};
            KCurveTools::SplineToSegments(p.Points(), p.Count(), ends);
            return ShapePtr();
        },
    };
    return steps;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    KcAssert::SetReportHandler([](const std::string&, const char*, int) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    Program program(data);
    const std::vector<Step>& steps = Steps();
    while (!program.Done()) {
        const std::size_t step = data.ConsumeIntegralInRange<std::size_t>(0, steps.size() - 1);
        if (Tracing())
            std::fprintf(stderr, "step %zu\n", step);
        program.Keep(steps[step](program));
    }
    for (const ShapePtr& shape : program.Built())
        KorrFuzz::Inspect(shape);
    return 0;
}
