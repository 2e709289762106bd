#pragma once

#include <KorrGeomCore/KorrGeomCore.h>

#include <functional>
#include <vector>

// Every builder and operation of the interface, each as a call that takes its
// arguments from an abstract source: the fuzzer's bytes, or a test's ordinary
// values with missing operands or numbers out of range.
namespace KorrFuzz {

class Arguments {
public:
    virtual ~Arguments() = default;
    virtual double Number() = 0;
    virtual KMath::Vector3 Vector() = 0;
    // A point count handed on beside an array, which may disagree with it.
    virtual int Count() = 0;
    virtual bool Flag() = 0;
    // An integer in [low, high] for an enumeration or a small count; the
    // fuzzer's ranges reach past the valid values on purpose.
    virtual int Choice(int low, int high) = 0;
    virtual KMath::Matrix4 Matrix() = 0;
    virtual KorrCore::ShapePtr Operand() = 0;
    virtual KorrCore::ShapeList Operands() = 0;
    virtual std::vector<KMath::Vector3> Points() = 0;
};

struct EntryPoint {
    const char* name;
    // The result: a new shape, the operand an in-place operation changed, or
    // null when the call failed or makes no shape.
    std::function<KorrCore::ShapePtr(Arguments&)> call;
};

// The inputs in fuzz/corpus/builders pick entries by their place in this
// table and read arguments in the order the calls take them: reordering,
// adding or removing entries, or drawing arguments in another order, changes
// what those inputs do.
const std::vector<EntryPoint>& EntryPoints();

} // namespace KorrFuzz
