#pragma once

#include <string_view>

namespace KorrCore {

// True when `text` is a whole BRep text file that the kernel's reader can read
// to the end without going astray: the header line, every section of the
// format with as many well-formed records as it announces, references to
// entries that exist, and the file ending with the reference to its shape.
// The kernel's reader alone loops forever, crashes or returns part of a shape
// on damaged files, so only text that passes this goes to it. Takes time and
// memory in proportion to the text.
bool LooksReadable(std::string_view text);

} // namespace KorrCore
