#pragma once

#include <string>

namespace KorrCore::Xde {

// Where the translation worker is: at a fixed path relative to the directory
// of the Exchange library's own file, the same in the build tree and where it
// is installed. Empty when the library cannot tell where it was loaded from.
std::string WorkerProgramPath();

} // namespace KorrCore::Xde
