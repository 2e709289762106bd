#pragma once

namespace KorrCore::Xde {

// The formats the kernel's XCAF translators read and write for the library.
enum class FileFormat { Step, Iges };

} // namespace KorrCore::Xde
