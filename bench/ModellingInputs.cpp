#include "ModellingInputs.h"

#include <stdexcept>

namespace KorrBench {

namespace {

using KMath::Vector3;
using KorrCore::KBrepTools;

KorrCore::ShapePtr Required(KorrCore::ShapePtr shape, const char* what)
{
    if (!shape || shape->IsNull())
        throw std::runtime_error(std::string("the library refused the benchmark's ") + what);
    return shape;
}

// The library's cylinder is a shell; booleans want the solid it bounds.
KorrCore::ShapePtr SolidCylinder(const Vector3& base, const Vector3& axis, double height)
{
    const KorrCore::ShapePtr shell = Required(KBrepTools::MakeCylinder(base, axis, 3, height, 360), "cylinder");
    return Required(KBrepTools::MakeSolid({shell}), "solid cylinder");
}

ModellingInputs Build()
{
    ModellingInputs inputs;
    inputs.box = Required(KBrepTools::MakeBox(Vector3(0, 0, 0), Vector3(0, 0, 1), Vector3(10, 20, 30)), "box");
    inputs.filletedBox = Required(KorrCore::KFeatureTools::Fillet(inputs.box, 2), "filleted box");
    inputs.throughCylinder = SolidCylinder(Vector3(5, 10, -5), Vector3(0, 0, 1), 40);
    inputs.crossingCylinders[0] = SolidCylinder(Vector3(-10, 0, 0), Vector3(1, 0, 0), 20);
    inputs.crossingCylinders[1] = SolidCylinder(Vector3(0, -10, 0), Vector3(0, 1, 0), 20);
    return inputs;
}

} // namespace

const ModellingInputs& Inputs()
{
    static const ModellingInputs inputs = Build();
    return inputs;
}

} // namespace KorrBench
