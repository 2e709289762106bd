// korrgeom-translate: runs the kernel's STEP and IGES translators for the
// Exchange library, in a process of its own, because they crash on damaged
// files. See Xde/WorkerProtocol.h for how the library talks to it.

#include <TDocStd_Document.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_ShapeTool.hxx>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <unistd.h>

#include "FileFormats/Worker/ProcessLimits.h"
#include "FileFormats/Worker/ProgressLines.h"
#include "FileFormats/Xde/DocumentReading.h"
#include "FileFormats/Xde/DocumentShape.h"
#include "FileFormats/Xde/TranslationMessage.h"
#include "FileFormats/Xde/WorkerProtocol.h"

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

int Read(Xde::FileFormat format)
{
    const Handle(Worker::ProgressLines) progress = new Worker::ProgressLines(Protocol::kProgressDescriptor);
    // The kernel would otherwise invent names ("SOLID", "=>[0:1:1:2]") for
    // whatever the file leaves unnamed; a host should see only the file's own.
    XCAFDoc_ShapeTool::SetAutoNaming(false);
    Handle(TDocStd_Document) document;
    XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", document);

    progress->Step("read");
    if (!Xde::ReadDocument(format, "/proc/self/fd/0", document, progress->Start()))
        return kRefused;
    progress->Step("convert");
    const Xde::AttributedShape shape = Xde::ShapeFromDocument(document);
    if (shape.root.IsNull())
        return kNoShape;
    const std::string message = Xde::EncodeTranslation(shape.root, shape.attributes);
    progress->Step("send");
    return WriteAll(Protocol::kResultDescriptor, message) ? kDone : kOutputFailed;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5 || argv[1] != Protocol::kReadCommand)
        return kUsage;
    const std::optional<Xde::FileFormat> format = Protocol::FormatNamed(argv[2]);
    const std::uint64_t memoryBytes = Number(argv[3]);
    const std::uint64_t cpuSeconds = Number(argv[4]);
    if (!format || memoryBytes == 0 || cpuSeconds == 0)
        return kUsage;
    Worker::LimitThisProcess(memoryBytes, cpuSeconds);
    try {
        return Read(*format);
    } catch (...) {
        // The kernel's exceptions, and running out of the memory allowed.
        return kFailed;
    }
}
