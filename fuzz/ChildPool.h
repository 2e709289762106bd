#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "SweepChild.h"

namespace KorrFuzz {

struct ChildLimits {
    // Wall-clock time before the parent kills the child: a hang.
    double seconds = 30;
    // Address-space limit of the child, 0 for none. A child that comes within
    // a tenth of it has run out of memory, whatever it answered.
    std::size_t memoryBytes = std::size_t(6) << 30;
    // Attach gdb to a hanging child and keep all its threads' stacks.
    bool stacks = false;
    // Let the child's standard output and error through.
    bool verbose = false;
};

struct ChildResult {
    ChildReport report;
    double seconds = 0;
    // gdb's backtrace of a hang, when asked for.
    std::string stack;
};

// Inspects `count` inputs, each read in a child process of its own, at most
// `parallel` at a time. `input(i)` makes the i-th input; `done(i, bytes,
// result)` is called in the parent as each child ends.
void RunChildren(std::size_t count, std::size_t parallel, const ChildLimits& limits,
                 const std::function<std::string(std::size_t)>& input,
                 const std::function<void(std::size_t, const std::string&, const ChildResult&)>& done);

} // namespace KorrFuzz
