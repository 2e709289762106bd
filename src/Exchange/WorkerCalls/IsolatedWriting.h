#pragma once

#include <string>

#include <KorrGeomCore/TopoShape/KTopoShape.h>

#include "Exchange/WorkerCalls/WorkerCall.h"

namespace KorrCore::Xde {

// Writes shapes, with the names and colours their handles carry, as a STEP
// (AP214) or IGES file through the kernel's XCAF writers in the
// korrgeom-translate worker process. Each shape becomes a free shape of the
// file (a compound without a product name gives its children); assemblies
// stay assemblies with one product per distinct part. The file is replaced
// only when the worker has written it whole; null handles and handles holding
// no shape are left out, and with none left nothing is written. False on any
// failure, the old file then unchanged.
bool WriteInWorker(FileFormat format, const std::string& path, const ShapeList& shapes, const WorkerOptions& options);

} // namespace KorrCore::Xde
