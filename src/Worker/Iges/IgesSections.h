#pragma once

#include <string_view>

namespace KorrCore::Iges {

// False when a fixed-format IGES file is visibly incomplete: its last record
// is not the terminate record, or the line counts that record states for the
// start, global, directory and parameter sections are not the file's. The
// kernel's reader takes a file cut short as long as what is left parses, and
// translates what it finds. Records are taken as the kernel takes them: 80
// columns, ended by "\n", "\r\n" or "\r" or following each other without
// line ends. Files in another form (compressed, binary) pass: the kernel
// judges them.
bool SectionsComplete(std::string_view text);

} // namespace KorrCore::Iges
