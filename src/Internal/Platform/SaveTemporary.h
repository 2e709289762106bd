#pragma once

#include <string>

#include "Internal/Platform/Descriptor.h"

namespace KorrCore {

// The new file a save fills before it takes the target's place. Its name
// tells that it is a save's and which process made it, and that process
// holds a lock on it for as long as it is open, so that a later save can tell
// a file left by a process that died from one still being written.
struct SaveTemporary {
    std::string path;
    // Open for writing and locked; not open when no file could be made.
    Descriptor file;
    // Why not, when not.
    int error = 0;
};

// Makes a new, empty SaveTemporary in the folder, under a name nobody uses.
SaveTemporary MakeSaveTemporary(const std::string& folder);

// Removes the temporaries that saves by processes now gone left in the
// folder: only this user's, and only those no living process holds.
void RemoveAbandonedTemporaries(const std::string& folder);

} // namespace KorrCore
