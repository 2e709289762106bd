#pragma once

#include <Message_ProgressRange.hxx>
#include <TDocStd_Document.hxx>

#include "FileFormats/Xde/FileFormat.h"

namespace KorrCore::Xde {

// Reads a file into an XCAF document with its names and colours, in
// millimetres. False when the kernel refuses the file, finds it damaged (see
// DocumentReading.cpp) or translates nothing.
// The kernel's translators crash on some damaged files: run this only where a
// crash cannot take the host down.
bool ReadDocument(FileFormat format, const char* path, const Handle(TDocStd_Document) & document,
                  const Message_ProgressRange& progress);

} // namespace KorrCore::Xde
