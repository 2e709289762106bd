#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "Internal/Protocol/FileFormat.h"

// How the library and its translation worker (korrgeom-translate) talk. The
// library starts the worker once, ahead of the files, as
//   korrgeom-translate resident
// with a socket for requests (SOCK_SEQPACKET) on kRequestDescriptor and the
// reading end of a pipe whose writing end only the host holds on
// kResidentAliveDescriptor. It loads the translators and readies the
// kernel's tables, then, for each request, makes a fresh copy of itself
// (the one-time start is what it saves) as a child of the host and answers
// with its process id (a pid_t; -1 if it could not). A request is the words
// of one command separated by NULs, with three descriptors: the copy's
// standard input, kOutputDescriptor and kProgressDescriptor. The copy runs
// the command alone, as a process of its own that nothing of another file
// reaches, with the pipe on kHostAliveDescriptor; it ends when the pipe
// does, and the resident worker when the socket does, so neither outlives
// the host. The commands are
//   read <format> <memory-bytes> <cpu-seconds>
// with the file to read as standard input and a pipe for the result (a
// translation message) on kOutputDescriptor, and
//   write <format> <memory-bytes> <cpu-seconds>
// with a translation message as standard input and the (new, empty) file
// to write on kOutputDescriptor. Either way a pipe for progress lines is on
// kProgressDescriptor: "step <name>" when a step starts and "percent
// <0..100>" within the kernel's translation (of the file into a document
// when reading, of the document into the file's entities when writing), and
// after all of its output the step "done", which the copy's exit status (0)
// confirms unless someone else took that status. A copy that fails says why
// as its last line, "failed <code> <text>": the number of a KOutcomeCode
// and, on the rest of the line, what the kernel or the system said.
namespace KorrCore::Xde::WorkerProtocol {

constexpr int kOutputDescriptor = 3;
constexpr int kProgressDescriptor = 4;
constexpr int kHostAliveDescriptor = 5;
// The resident worker's own.
constexpr int kRequestDescriptor = 3;
constexpr int kResidentAliveDescriptor = 4;
// A request's words fit in this many bytes.
constexpr std::size_t kLongestRequest = 256;

constexpr std::string_view kResidentCommand = "resident";

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
