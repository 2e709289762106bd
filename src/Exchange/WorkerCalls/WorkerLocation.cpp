#include "Exchange/WorkerCalls/WorkerLocation.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>

namespace KorrCore::Xde {

namespace {

// Any object of this library: its address tells the loader which file it is.
const char kInThisLibrary = 0;

} // namespace

std::string WorkerProgramPath()
{
    Dl_info info{};
    char library[PATH_MAX];
    // The real file, so that a link to the library elsewhere leads back here.
    if (::dladdr(&kInThisLibrary, &info) == 0 || !info.dli_fname || !::realpath(info.dli_fname, library))
        return {};
    std::string path = library;
    path.erase(path.rfind('/') + 1);
    return path + KORRGEOM_WORKER_FROM_LIBRARY;
}

} // namespace KorrCore::Xde
