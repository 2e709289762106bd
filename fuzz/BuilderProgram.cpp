#include "BuilderProgram.h"

#include <cstdio>
#include <cstdlib>

#include "EntryPoints.h"
#include "FuzzValues.h"

namespace KorrFuzz {

namespace {

using KorrCore::ShapePtr;
using KMath::Vector3;

constexpr std::size_t kMaxSteps = 6;
constexpr int kMaxPoints = 8;

bool Tracing()
{
    static const bool trace = std::getenv("KORRFUZZ_TRACE") != nullptr;
    return trace;
}

class ByteArguments : public Arguments {
public:
    explicit ByteArguments(FuzzedDataProvider& input) : data(input) {}

    double Number() override
    {
        const double value = ConsumeNastyDouble(data);
        if (Tracing())
            std::fprintf(stderr, "  %.17g\n", value);
        return value;
    }
    Vector3 Vector() override
    {
        const Vector3 value = ConsumeNastyVector(data);
        if (Tracing())
            std::fprintf(stderr, "  (%.17g, %.17g, %.17g)\n", value.x, value.y, value.z);
        return value;
    }
    int Count() override { return data.ConsumeIntegralInRange<int>(-2, kMaxPoints); }
    bool Flag() override { return data.ConsumeBool(); }
    int Choice(int low, int high) override { return data.ConsumeIntegralInRange<int>(low, high); }

    // Any entry may be any number, most often the identity's.
    KMath::Matrix4 Matrix() override
    {
        KMath::Matrix4 m;
        for (double& entry : m.m)
            entry = Flag() ? Number() : entry;
        return m;
    }

    // A shape built earlier, or now and then none at all.
    ShapePtr Operand() override
    {
        const std::size_t pick = data.ConsumeIntegralInRange<std::size_t>(0, shapes.size());
        if (Tracing())
            std::fprintf(stderr, "  shape #%zu\n", pick);
        return pick < shapes.size() ? shapes[pick] : nullptr;
    }
    KorrCore::ShapeList Operands() override
    {
        KorrCore::ShapeList list;
        for (int n = data.ConsumeIntegralInRange<int>(0, 4); n > 0; --n)
            list.push_back(Operand());
        return list;
    }
    std::vector<Vector3> Points() override
    {
        std::vector<Vector3> points;
        for (int n = data.ConsumeIntegralInRange<int>(0, kMaxPoints); n > 0; --n)
            points.push_back(Vector());
        return points;
    }

    void Keep(const ShapePtr& shape) { shapes.push_back(shape); }
    std::vector<ShapePtr> Built() const { return shapes; }
    bool Done() const { return data.remaining_bytes() == 0 || shapes.size() >= kMaxSteps; }

private:
    FuzzedDataProvider& data;
    std::vector<ShapePtr> shapes;
};

} // namespace

std::vector<ShapePtr> RunBuilderProgram(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    ByteArguments program(data);
    const std::vector<EntryPoint>& entries = EntryPoints();
    while (!program.Done()) {
        const std::size_t step = data.ConsumeIntegralInRange<std::size_t>(0, entries.size() - 1);
        if (Tracing())
            std::fprintf(stderr, "step %zu %s\n", step, entries[step].name);
        program.Keep(entries[step].call(program));
    }
    return program.Built();
}

} // namespace KorrFuzz
