#pragma once

#include <functional>
#include <optional>

#include "EntryPoints.h"

namespace KorrTest {

// Arguments with which every entry point of fuzz/EntryPoints.h succeeds, given
// fitting operands (lists hold two): numbers fall, so that an ellipse's major
// radius exceeds its minor one and a cone's radii differ, any three points in
// a row lie off a line, flags are off and choices the smallest valid value.
// One number (a Number, or a Vector's first component) can be replaced, to see
// what a single bad value does.
class OrdinaryArguments : public KorrFuzz::Arguments {
public:
    explicit OrdinaryArguments(std::function<KorrCore::ShapePtr()> operand, std::optional<int> replaced = {},
                               double replacement = 0)
        : operand(std::move(operand)), replaced(replaced), replacement(replacement)
    {
    }

    double Number() override { return Next(0.4 - 0.1 * (numbers++ % 3)); }
    KMath::Vector3 Vector() override
    {
        static const KMath::Vector3 kVectors[] = {{1, 0, 0}, {0, 1, 1}, {1, 2, 3}, {2, 1, 0.5}};
        const KMath::Vector3 v = kVectors[vectors++ % 4];
        return KMath::Vector3(Next(v.x), v.y, v.z);
    }
    int Count() override { return 3; }
    bool Flag() override { return false; }
    int Choice(int low, int high) override { return std::clamp(1, low, high); }
    // A quarter turn about z, doubled, and moved along x by a number.
    KMath::Matrix4 Matrix() override { return KMath::Matrix4(0, -2, 0, Number(), 2, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1); }
    KorrCore::ShapePtr Operand() override
    {
        tookOperands = true;
        return operand();
    }
    KorrCore::ShapeList Operands() override { return {Operand(), Operand()}; }
    std::vector<KMath::Vector3> Points() override { return {Vector(), Vector(), Vector()}; }

    // How many numbers were drawn, and whether any operand was.
    int Drawn() const { return drawn; }
    bool TookOperands() const { return tookOperands; }

private:
    double Next(double ordinary) { return drawn++ == replaced ? replacement : ordinary; }

    std::function<KorrCore::ShapePtr()> operand;
    std::optional<int> replaced;
    double replacement;
    int drawn = 0, numbers = 0, vectors = 0;
    bool tookOperands = false;
};

} // namespace KorrTest
