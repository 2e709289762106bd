#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace KorrCore {

// How many distinct entries of each geometry table a file's shapes refer to.
struct GeometryUse {
    std::size_t curves2d = 0, curves = 0, surfaces = 0;
};

// The geometry the shapes use when `text` is a whole BRep text that the
// kernel's reader can read to the end without going astray: the header line,
// every section of the format with as many well-formed records as it
// announces, references to entries that exist, and the file ending with the
// reference to its shape; nothing otherwise. The kernel's reader alone loops
// forever, crashes or returns part of a shape on damaged files, so only text
// that passes this goes to it. Takes time and memory in proportion to the
// text.
std::optional<GeometryUse> ScreenBrepText(std::string_view text);

} // namespace KorrCore
