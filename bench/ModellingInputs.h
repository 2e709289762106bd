#pragma once

#include <KorrGeomCore/KorrGeomCore.h>

namespace KorrBench {

// The operands of the modelling benchmarks, built once through the library as
// a host builds them; the kernel side of each comparison works on the very
// same kernel shapes.
struct ModellingInputs {
    // 10 x 20 x 30, and the same box with every edge rounded to radius 2.
    KorrCore::ShapePtr box, filletedBox;
    // A solid cylinder of radius 3 running through the filleted box along Z.
    KorrCore::ShapePtr throughCylinder;
    // Two solid cylinders of radius 3 crossing at right angles.
    KorrCore::ShapePtr crossingCylinders[2];
};

// Built on first use; throws when the library refuses one of them.
const ModellingInputs& Inputs();

} // namespace KorrBench
