#include "Core/Validity.h"

#include <BRepCheck_Analyzer.hxx>

namespace KorrCore {

bool KernelValid(const TopoDS_Shape& shape) { return BRepCheck_Analyzer(shape).IsValid(); }

} // namespace KorrCore
