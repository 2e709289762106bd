#pragma once

#include <pybind11/pybind11.h>

#include <KorrGeomCore/Platform/KOutcome.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

#include "Errors.h"

namespace KorrPython {

// What a korrgeom.Shape holds: a shape that is never null, and the shape its
// names and colours are read from and set on (KShapeAttributes keeps them on
// a root and addresses the sub-shapes the explorers list from it). A shape
// made or loaded is its own root; a face from faces() keeps its solid's.
struct PyShape {
    KorrCore::ShapePtr handle;
    KorrCore::ShapePtr root;
};

// A new shape, its own root.
PyShape Made(KorrCore::ShapePtr handle);

// The shape an argument holds: None raises NullShape, another type
// InvalidArgument.
const PyShape& ShapeArgument(pybind11::handle value, const char* name);
KorrCore::ShapeList ShapeListArgument(pybind11::handle value, const char* name);

// Runs one library call with the interpreter unlocked, so that other Python
// threads run meanwhile, and raises the outcome it left unless it gave a shape.
template <class Call> KorrCore::ShapePtr Built(Call call)
{
    KorrCore::ShapePtr result;
    KorrCore::KOutcome outcome;
    {
        pybind11::gil_scoped_release unlocked;
        result = call();
        outcome = KorrCore::KLastOutcome();
    }
    RaiseUnlessOk(outcome, result && !result->IsNull());
    return result;
}

// The class itself and its queries.
void BindShape(pybind11::module_& module);

} // namespace KorrPython
