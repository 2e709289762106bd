#pragma once

#include <KorrGeomCore/Service/KExchangeFileService.h>

namespace KorrCore {

// IGES files: name "IGES", filter "*.iges;*.igs". IGES keeps the shapes and
// their colours, but has no products and instances as STEP has: a saved
// assembly comes back as its placed parts, with fewer of its names.
//
// Names are saved as printable ASCII, which is all an IGES string carries
// safely: each UTF-8 byte of a character outside ' '..'~', each '%', and a
// space at either end of the name is written as '%' and two upper-case
// hexadecimal digits ("Mutter M8 – Ø8" as "Mutter M8 %E2%80%93 %C3%988"), the
// rest as it is. Loading reverses this, so every name comes back as it was
// saved. A name in a file is decoded only when it is printable ASCII whose
// escapes give UTF-8; another writer's name is otherwise kept as the kernel
// reads it (one that looks encoded, "50%25", reads decoded, "50%").
class KORRGEOMCOREEXCHANGE_EXPORT KIgesFileService : public KExchangeFileService {
public:
    KIgesFileService();
};

} // namespace KorrCore
