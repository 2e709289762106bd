// korrgeom-translate: runs the kernel's STEP and IGES translators for the
// Exchange library in processes of their own, because they crash on damaged
// files and keep process-wide settings: one resident process, started with
// the translators loaded and ready, and a fresh copy of it for each file.
// See Internal/Protocol/WorkerProtocol.h for how the library talks to it.

#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <IGESCAFControl_Reader.hxx>
#include <IGESCAFControl_Writer.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <STEPCAFControl_Writer.hxx>
#include <Standard_OutOfMemory.hxx>
#include <TDocStd_Document.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_ShapeTool.hxx>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <charconv>
#include <cstdint>
#include <optional>
#include <new>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/prctl.h>
#include <unistd.h>
#include <vector>

#include "Internal/Platform/FileBytes.h"
#include "Internal/Platform/SystemText.h"
#include "Internal/Protocol/TranslationMessage.h"
#include "Internal/Protocol/WorkerProtocol.h"
#include "Worker/FailureLog.h"
#include "Worker/ProcessLimits.h"
#include "Worker/ProgressLines.h"
#include "Worker/Resident.h"
#include "Worker/Xde/DocumentReading.h"
#include "Worker/Xde/DocumentShape.h"
#include "Worker/Xde/DocumentWriting.h"
#include "Worker/Xde/ShapeDocument.h"

namespace {

using namespace KorrCore;
namespace Protocol = Xde::WorkerProtocol;

enum ExitStatus { kDone = 0, kUsage = 64, kRefused = 65, kNoShape = 66, kFailed = 70, kOutputFailed = 74 };

std::uint64_t Number(std::string_view text)
{
    std::uint64_t value = 0;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
    return parsed.ec == std::errc() && parsed.ptr == text.data() + text.size() ? value : 0;
}

bool WriteAll(int descriptor, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR)
            return false;
        if (written > 0)
            bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The kernel's translators take file names: these name the files the
// library handed over as descriptors.
std::string DescriptorPath(int descriptor)
{
    return "/proc/self/fd/" + std::to_string(descriptor);
}

Handle(TDocStd_Document) NewDocument()
{
    Handle(TDocStd_Document) document;
    XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", document);
    return document;
}

int Read(Xde::FileFormat format, Worker::ProgressLines& progress, const Worker::FailureLog& log)
{
    const Handle(TDocStd_Document) document = NewDocument();
    progress.Step("read");
    Xde::ReadFailure failure;
    if (!Xde::ReadDocument(format, DescriptorPath(STDIN_FILENO).c_str(), document, progress.Start(), failure)) {
        progress.Failed(failure.code, failure.detail.empty() ? log.First() : failure.detail);
        return kRefused;
    }
    progress.Step("convert");
    const Xde::AttributedShape shape = Xde::ShapeFromDocument(document);
    if (shape.root.IsNull()) {
        progress.Failed(KOutcomeCode::TranslatorFailed, "the file holds no shape the translator can take");
        return kNoShape;
    }
    const std::string message = Xde::EncodeTranslation(shape.root, shape.attributes);
    progress.Step("send");
    if (WriteAll(Protocol::kOutputDescriptor, message))
        return kDone;
    progress.Failed(KOutcomeCode::TranslatorFailed, "sending the shape failed: " + SystemText(errno));
    return kOutputFailed;
}

int NotWhole(Worker::ProgressLines& progress)
{
    progress.Failed(KOutcomeCode::TranslatorFailed, "the shapes to write did not come through whole");
    return kUsage;
}

// The message comes from the library, which wrote the BRep text itself: the
// kernel's reader can take it without the screen.
int Write(Xde::FileFormat format, Worker::ProgressLines& progress, const Worker::FailureLog& log)
{
    progress.Step("receive");
    const std::optional<std::string> message = DescriptorBytes(STDIN_FILENO);
    const std::optional<Xde::DecodedTranslation> decoded = message ? Xde::DecodeTranslation(*message) : std::nullopt;
    if (!decoded)
        return NotWhole(progress);
    Xde::AttributedShape shape;
    std::istringstream brep{std::string(decoded->brep)};
    BRepTools::Read(shape.root, brep, BRep_Builder());
    std::optional<ShapeAttributes> attributes = Xde::AttributesOn(shape.root, *decoded);
    if (shape.root.IsNull() || !attributes)
        return NotWhole(progress);
    shape.attributes = std::move(*attributes);
    progress.Step("convert");
    const Handle(TDocStd_Document) document = NewDocument();
    Xde::FillDocument(shape, document);
    progress.Step("write");
    errno = 0;
    if (Xde::WriteDocument(format, DescriptorPath(Protocol::kOutputDescriptor).c_str(), document, progress.Start()))
        return kDone;
    // A file system that refuses the bytes leaves its reason; the writer's
    // own refusals go to its messenger.
    progress.Failed(KOutcomeCode::WriteFailed, errno != 0 ? SystemText(errno) : log.First());
    return kFailed;
}

// One read or write, in a copy of the resident worker made for it.
int RunCommand(const std::vector<std::string>& words)
{
    const bool reading = words.size() == 4 && words[0] == Protocol::kReadCommand;
    if (!reading && !(words.size() == 4 && words[0] == Protocol::kWriteCommand))
        return kUsage;
    const std::optional<Xde::FileFormat> format = Protocol::FormatNamed(words[1]);
    const std::uint64_t memoryBytes = Number(words[2]);
    const std::uint64_t cpuSeconds = Number(words[3]);
    if (!format || memoryBytes == 0 || cpuSeconds == 0)
        return kUsage;
    Worker::LimitThisProcess(memoryBytes, cpuSeconds);
    int status = kFailed;
    const Handle(Worker::ProgressLines) progress = new Worker::ProgressLines(Protocol::kProgressDescriptor);
    try {
        const Handle(Worker::FailureLog) log = Worker::FailureLog::Listen();
        status = reading ? Read(*format, *progress, *log) : Write(*format, *progress, *log);
        if (status == kDone)
            progress->Step(Protocol::kDoneStep);
    } catch (const std::bad_alloc& error) {
        progress->Failed(KOutcomeCode::OutOfMemory, error.what());
    } catch (const Standard_OutOfMemory& failure) {
        progress->Failed(KOutcomeCode::OutOfMemory, failure.GetMessageString());
    } catch (const Standard_Failure& failure) {
        progress->Failed(KOutcomeCode::TranslatorFailed,
                         std::string(failure.DynamicType()->Name()) + ": " + failure.GetMessageString());
    } catch (const std::exception& error) {
        progress->Failed(KOutcomeCode::TranslatorFailed, error.what());
    } catch (...) {
        progress->Failed(KOutcomeCode::TranslatorFailed, "an exception of unknown type");
    }
    // Everything is written with plain writes, so nothing is left to flush.
    // The kernel keeps memory to the end of the process; tearing it down
    // would only cost time, and a leak checker would take it for a fault.
    return status;
}

// What every copy would otherwise do first, done once: the translators'
// controllers, their schemas and the document application set up, in the
// state any fresh process reaches before it reads a file.
void ReadyTranslators()
{
    // The kernel would otherwise invent names ("SOLID", "=>[0:1:1:2]") for
    // whatever a file leaves unnamed; a host should see only the file's own.
    XCAFDoc_ShapeTool::SetAutoNaming(false);
    const Handle(TDocStd_Document) document = NewDocument();
    STEPCAFControl_Reader stepReader;
    IGESCAFControl_Reader igesReader;
    STEPCAFControl_Writer stepWriter;
    IGESCAFControl_Writer igesWriter;
    XCAFApp_Application::GetApplication()->Close(document);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || argv[1] != Protocol::kResidentCommand)
        return kUsage;
    // Besides the end of the request socket, which tells the same: the
    // thread that started this process has ended (or the host has).
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    ReadyTranslators();
    Worker::ServeRequests(RunCommand);
    std::_Exit(kDone);
}
