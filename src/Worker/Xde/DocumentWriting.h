#pragma once

#include <Message_ProgressRange.hxx>
#include <TDocStd_Document.hxx>

#include "Internal/Protocol/FileFormat.h"

namespace KorrCore::Xde {

// Writes an XCAF document with its names and colours, in millimetres: STEP
// as AP214, IGES with solids as B-rep solids (not loose faces). The IGES
// setting is process-wide kernel state, one reason why this runs in the
// worker rather than in a host. Progress is reported while the document is
// translated, not while the file is written.
bool WriteDocument(FileFormat format, const char* path, const Handle(TDocStd_Document) & document,
                   const Message_ProgressRange& progress);

} // namespace KorrCore::Xde
