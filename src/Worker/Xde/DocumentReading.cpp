#include "Worker/Xde/DocumentReading.h"

#include <IGESCAFControl_Reader.hxx>
#include <Interface_Check.hxx>
#include <Interface_InterfaceModel.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <XSControl_WorkSession.hxx>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "Worker/Iges/IgesNames.h"
#include "Worker/Iges/IgesSections.h"

namespace KorrCore::Xde {

namespace {

// Damage the kernel's parser notices but reads past: syntax it recovers from
// by leaving parameters or records out, references to records that are not
// there. Such a file translates into a different shape, or crashes the
// translator. Intact files, even ones whose entities the kernel's own check
// finds fault with, leave this empty.
bool ParsedCleanly(XSControl_Reader& reader, ReadFailure& failure)
{
    const Handle(Interface_Check) check = reader.WS()->Model()->GlobalCheck();
    if (!check->HasFailed())
        return true;
    failure = {KOutcomeCode::FileDamaged, check->CFail(1)};
    return false;
}

std::string WholeText(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The first few kilobytes, which hold a first record.
std::string Head(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    std::string head(4096, '\0');
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(file.gcount()));
    return head;
}

// Whether the text is of the format at all, as its first record tells: a STEP
// file opens with its standard's number, a fixed-format IGES file with a start
// record (or a compressed one's flag).
bool OfFormat(FileFormat format, std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    text.remove_prefix(std::min(text.find_first_not_of(" \t\r\n"), text.size()));
    if (format == FileFormat::Step)
        return text.substr(0, 12) == "ISO-10303-21";
    const std::string_view first = text.substr(0, text.find('\n'));
    return first.size() > 72 && (first[72] == 'S' || first[72] == 'C');
}

template <class CafReader>
bool ReadWith(CafReader& caf, XSControl_Reader& reader, const char* path, Handle(TDocStd_Document) document,
              const Message_ProgressRange& progress, ReadFailure& failure)
{
    caf.SetNameMode(true);
    caf.SetColorMode(true);
    if (caf.ReadFile(path) != IFSelect_RetDone) {
        failure.code = KOutcomeCode::FileDamaged;
        return false;
    }
    if (!ParsedCleanly(reader, failure))
        return false;
    failure = {KOutcomeCode::TranslatorFailed, "the translator transferred no shape"};
    return caf.Transfer(document, progress);
}

// The file's line count, for telling where a file cut short ends.
std::string LinesOf(std::string_view text)
{
    return "the file ends after line " + std::to_string(std::count(text.begin(), text.end(), '\n')) +
           " without its terminate record, or with one whose line counts are not the file's";
}

} // namespace

bool ReadDocument(FileFormat format, const char* path, const Handle(TDocStd_Document) & document,
                  const Message_ProgressRange& progress, ReadFailure& failure)
{
    bool read = false;
    if (format == FileFormat::Step) {
        STEPCAFControl_Reader caf;
        read = ReadWith(caf, caf.ChangeReader(), path, document, progress, failure);
    } else if (const std::string text = WholeText(path); !Iges::SectionsComplete(text)) {
        failure = {KOutcomeCode::FileDamaged, LinesOf(text)};
    } else {
        IGESCAFControl_Reader caf;
        read = ReadWith(caf, caf, path, document, progress, failure);
        if (read)
            Iges::DecodeNames(document);
    }
    if (!read && !OfFormat(format, Head(path)))
        failure = {KOutcomeCode::FileForeign, {}};
    return read;
}

} // namespace KorrCore::Xde
