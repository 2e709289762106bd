#pragma once

#include <string>

#include <pybind11/pybind11.h>

#include <KorrGeomCore/Platform/KOutcome.h>

namespace KorrPython {

// Raises korrgeom.Error for an outcome: sets the Python error and throws
// pybind11::error_already_set, which pybind11 hands back to the interpreter.
[[noreturn]] void Raise(const KorrCore::KOutcome& outcome);
[[noreturn]] void Raise(KorrCore::KOutcomeCode code, const std::string& message);

// The outcome the calling thread's last library call left, raised unless it
// is a success. A call that failed without a reason still raises: no function
// of the module returns None for a failure.
void RaiseUnlessOk(const KorrCore::KOutcome& outcome, bool succeeded);

// Binds the pure-Python korrgeom.Error class for the functions above; called
// once while the module loads.
void BindErrors(pybind11::module_& module);

} // namespace KorrPython
