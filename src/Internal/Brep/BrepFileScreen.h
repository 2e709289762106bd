#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace KorrCore {

// How many distinct entries of each geometry table a file's shapes refer to.
struct GeometryUse {
    std::size_t curves2d = 0, curves = 0, surfaces = 0;
};

// The part of a text the screen was reading when it refused the text, and
// how far into the text it had come, for telling a person.
struct ScreenStop {
    const char* part = nullptr;
    std::size_t offset = 0;
};
// The part missing from a text that is not BRep text at all.
inline constexpr char kBrepHeader[] = "the header line naming the format";

// The geometry the shapes use when `text` is a whole BRep text that the
// kernel's reader can read to the end without going astray: the header line,
// every section of the format with as many well-formed records as it
// announces, references to entries that exist, and the file ending with the
// reference to its shape; nothing otherwise. The kernel's reader alone loops
// forever, crashes or returns part of a shape on damaged files, so only text
// that passes this goes to it. Takes time and memory in proportion to the
// text. Where the walk stopped on a text it refuses goes to `stop`.
std::optional<GeometryUse> ScreenBrepText(std::string_view text, ScreenStop* stop = nullptr);

} // namespace KorrCore
