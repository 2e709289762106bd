#include "FileFormats/Xde/DocumentReading.h"

#include <IGESCAFControl_Reader.hxx>
#include <STEPCAFControl_Reader.hxx>

namespace KorrCore::Xde {

namespace {

template <class Reader>
bool ReadWith(Reader&& reader, const char* path, Handle(TDocStd_Document) document,
              const Message_ProgressRange& progress)
{
    reader.SetNameMode(true);
    reader.SetColorMode(true);
    return reader.ReadFile(path) == IFSelect_RetDone && reader.Transfer(document, progress);
}

} // namespace

bool ReadDocument(FileFormat format, const char* path, const Handle(TDocStd_Document) & document,
                  const Message_ProgressRange& progress)
{
    if (format == FileFormat::Step)
        return ReadWith(STEPCAFControl_Reader(), path, document, progress);
    return ReadWith(IGESCAFControl_Reader(), path, document, progress);
}

} // namespace KorrCore::Xde
