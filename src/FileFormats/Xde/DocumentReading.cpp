#include "FileFormats/Xde/DocumentReading.h"

#include <IGESCAFControl_Reader.hxx>
#include <Interface_Check.hxx>
#include <Interface_InterfaceModel.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <XSControl_WorkSession.hxx>

#include <fstream>
#include <iterator>

#include "FileFormats/Iges/IgesNames.h"
#include "FileFormats/Iges/IgesSections.h"

namespace KorrCore::Xde {

namespace {

// Damage the kernel's parser notices but reads past: syntax it recovers from
// by leaving parameters or records out, references to records that are not
// there. Such a file translates into a different shape, or crashes the
// translator. Intact files, even ones whose entities the kernel's own check
// finds fault with, leave this empty.
bool ParsedCleanly(XSControl_Reader& reader)
{
    return !reader.WS()->Model()->GlobalCheck()->HasFailed();
}

template <class CafReader>
bool ReadWith(CafReader& caf, XSControl_Reader& reader, const char* path, Handle(TDocStd_Document) document,
              const Message_ProgressRange& progress)
{
    caf.SetNameMode(true);
    caf.SetColorMode(true);
    return caf.ReadFile(path) == IFSelect_RetDone && ParsedCleanly(reader) && caf.Transfer(document, progress);
}

bool IgesSectionsComplete(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return file && Iges::SectionsComplete(text);
}

} // namespace

bool ReadDocument(FileFormat format, const char* path, const Handle(TDocStd_Document) & document,
                  const Message_ProgressRange& progress)
{
    if (format == FileFormat::Step) {
        STEPCAFControl_Reader caf;
        return ReadWith(caf, caf.ChangeReader(), path, document, progress);
    }
    IGESCAFControl_Reader caf;
    if (!IgesSectionsComplete(path) || !ReadWith(caf, caf, path, document, progress))
        return false;
    Iges::DecodeNames(document);
    return true;
}

} // namespace KorrCore::Xde
