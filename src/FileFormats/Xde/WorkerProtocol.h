#pragma once

#include <optional>
#include <string_view>

#include "FileFormats/Xde/FileFormat.h"

// How the library and its translation worker (korrgeom-translate) talk. The
// library starts the worker as
//   korrgeom-translate read <format> <memory-bytes> <cpu-seconds>
// with the file to read as its standard input and a pipe for the result (a
// translation message) on kOutputDescriptor, or as
//   korrgeom-translate write <format> <memory-bytes> <cpu-seconds>
// with a translation message as its standard input and the (new, empty) file
// to write on kOutputDescriptor. Either way a pipe for progress lines is on
// kProgressDescriptor: "step <name>" when a step starts and "percent
// <0..100>" within the kernel's translation (of the file into a document
// when reading, of the document into the file's entities when writing), and
// after all of its output the
// step "done", which the worker's exit status (0) confirms unless someone
// else took that status. A worker that fails says why as its last line,
// "failed <code> <text>": the number of a KOutcomeCode and, on the rest of
// the line, what the kernel or the system said.
namespace KorrCore::Xde::WorkerProtocol {

constexpr int kOutputDescriptor = 3;
constexpr int kProgressDescriptor = 4;

constexpr std::string_view kReadCommand = "read";
constexpr std::string_view kWriteCommand = "write";
constexpr char kDoneStep[] = "done";
constexpr std::string_view kFailedLine = "failed ";

constexpr std::string_view FormatName(FileFormat format)
{
    return format == FileFormat::Step ? "step" : "iges";
}

inline std::optional<FileFormat> FormatNamed(std::string_view name)
{
    for (FileFormat format : {FileFormat::Step, FileFormat::Iges})
        if (name == FormatName(format))
            return format;
    return std::nullopt;
}

} // namespace KorrCore::Xde::WorkerProtocol
