#pragma once

#include <TDocStd_Document.hxx>

namespace KorrCore::Iges {

// The names of a document's shapes in the form KIgesFileService.h describes.
// The kernel writes an IGES name byte for byte, after replacing characters
// beyond Latin-1 by '_': a line end in a name splits its record and leaves a
// file no reader can parse, and the Latin-1 bytes come back as other
// characters. Its reader trims white space at either end.
void EncodeNames(const Handle(TDocStd_Document) & document);

// The reverse, after the kernel has read a file. A name the encoding cannot
// have made is another writer's and stays as read.
void DecodeNames(const Handle(TDocStd_Document) & document);

} // namespace KorrCore::Iges
