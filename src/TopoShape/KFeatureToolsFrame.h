#pragma once

#include "Core/Guarded.h"
#include "TopoShape/ShapeAccess.h"

namespace KorrCore {

// The frame of every KFeatureTools operation on shape operands: runs the kernel
// work on the operands' kernel shapes inside the guard. A null handle, or one
// holding no shape, gives the failure value (null ShapePtr, false) at once and
// without a report: the prism, the revolution and even asking a null shape for
// its kind crash the process rather than raise, so no kernel call may see one.
template <class Work, class... Operands>
auto OperateOn(Work&& work, const Operands&... operands) -> decltype(work(KernelShape(operands)...))
{
    if (!(HoldsShape(operands) && ...))
        return {};
    return Guarded([&] { return work(KernelShape(operands)...); });
}

} // namespace KorrCore
