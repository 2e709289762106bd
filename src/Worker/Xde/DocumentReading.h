#pragma once

#include <Message_ProgressRange.hxx>
#include <TDocStd_Document.hxx>

#include <string>

#include <KorrGeomCore/Platform/KOutcome.h>

#include "Internal/Protocol/FileFormat.h"

namespace KorrCore::Xde {

// Why a file gave no document: not of the format at all (FileForeign),
// damaged or cut short (FileDamaged), or translated into nothing
// (TranslatorFailed), with what the kernel's check found, naming the record.
struct ReadFailure {
    KOutcomeCode code = KOutcomeCode::TranslatorFailed;
    std::string detail;
};

// Reads a file into an XCAF document with its names and colours, in
// millimetres. False, with the failure, when the kernel refuses the file,
// finds it damaged (see DocumentReading.cpp) or translates nothing.
// The kernel's translators crash on some damaged files: run this only where a
// crash cannot take the host down.
bool ReadDocument(FileFormat format, const char* path, const Handle(TDocStd_Document) & document,
                  const Message_ProgressRange& progress, ReadFailure& failure);

} // namespace KorrCore::Xde
