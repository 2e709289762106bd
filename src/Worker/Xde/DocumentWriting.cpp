#include "Worker/Xde/DocumentWriting.h"

#include <IGESCAFControl_Writer.hxx>
#include <IGESControl_Controller.hxx>
#include <Interface_Static.hxx>
#include <STEPCAFControl_Writer.hxx>

#include "Worker/Iges/IgesNames.h"

namespace KorrCore::Xde {

bool WriteDocument(FileFormat format, const char* path, const Handle(TDocStd_Document) & document,
                   const Message_ProgressRange& progress)
{
    if (format == FileFormat::Step) {
        // The kernel's default schema is AP214 (IS).
        STEPCAFControl_Writer writer;
        writer.SetNameMode(true);
        writer.SetColorMode(true);
        if (!writer.Transfer(document, STEPControl_AsIs, nullptr, progress))
            return false;
        // "Error" means written whole, with remarks on some entities (names
        // the kernel finds ill-formed, for instance); failures have their own
        // statuses.
        const IFSelect_ReturnStatus written = writer.Write(path);
        return written == IFSelect_RetDone || written == IFSelect_RetError;
    }
    // The writer takes its mode from the setting when it is made.
    IGESControl_Controller::Init();
    Interface_Static::SetIVal("write.iges.brep.mode", 1);
    Iges::EncodeNames(document);
    IGESCAFControl_Writer writer;
    writer.SetNameMode(true);
    writer.SetColorMode(true);
    return writer.Transfer(document, progress) && writer.Write(path);
}

} // namespace KorrCore::Xde
