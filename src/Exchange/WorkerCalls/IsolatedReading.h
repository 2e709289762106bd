#pragma once

#include <string>

#include <KorrGeomCore/TopoShape/KTopoShape.h>

#include "Exchange/WorkerCalls/WorkerCall.h"

namespace KorrCore::Xde {

// Reads a STEP or IGES file through the kernel's XCAF translators in the
// korrgeom-translate worker process, so that a translator crash or hang ends
// only the worker. The shape comes back as BRep text, read here after the
// same screen as BRep files, with the names and colours the file gives its
// assemblies, parts and sub-shapes attached to the handle. Null for anything
// but a whole translation: a missing or unreadable file, a damaged one, a
// crash, a time-out, cancellation.
ShapePtr ReadInWorker(FileFormat format, const std::string& path, const WorkerOptions& options);

} // namespace KorrCore::Xde
