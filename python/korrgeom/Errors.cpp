#include "Errors.h"

namespace py = pybind11;

namespace KorrPython {

namespace {

// Set while the module loads, never released: the class lives as long as the
// interpreter does.
PyObject* errorClass = nullptr;

} // namespace

void Raise(const KorrCore::KOutcome& outcome)
{
    const py::object error = py::reinterpret_borrow<py::object>(errorClass)(
        KorrCore::KOutcomeName(outcome.Code), outcome.Message, outcome.Path, outcome.Detail);
    PyErr_SetObject(errorClass, error.ptr());
    throw py::error_already_set();
}

void Raise(KorrCore::KOutcomeCode code, const std::string& message)
{
    KorrCore::KOutcome outcome;
    outcome.Code = code;
    outcome.Message = message;
    Raise(outcome);
}

void RaiseUnlessOk(const KorrCore::KOutcome& outcome, bool succeeded)
{
    if (outcome.Code != KorrCore::KOutcomeCode::Ok)
        Raise(outcome);
    if (!succeeded)
        Raise(KorrCore::KOutcomeCode::KernelFailed, "the kernel gave no result and no reason");
}

void BindErrors(py::module_& module)
{
    const py::object error = py::module_::import("korrgeom._error").attr("Error");
    errorClass = error.inc_ref().ptr();
    module.attr("Error") = error;
}

} // namespace KorrPython
