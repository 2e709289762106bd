#pragma once

#include <string>
#include <string_view>

#include "Internal/Core/ShapeAccess.h"

namespace KorrCore {

// The shape a whole BRep text describes, read by the kernel only once the
// screen has passed the text (ScreenedRead.h); null otherwise, with the
// outcome naming `source`, the text's file: FileForeign when no line names a
// BRep format, FileDamaged with where the reading stopped. What the kernel
// raises is recorded as the outcome, not passed on. The BRep file functions
// read a file's bytes through here, and the Exchange library the text its
// worker sends, so both pass the same screen.
ShapePtr ReadBrepText(std::string_view text, const std::string& source);

} // namespace KorrCore
