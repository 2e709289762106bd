#pragma once

#include <string>
#include <vector>

namespace korrgeom {

// Many shape files converted into a folder, a file per input and format.
struct BatchRequest {
    // Files and folders; a folder gives the shape files directly in it.
    std::vector<std::string> inputs;
    std::string outDir;
    // Extensions of the files to write for each input: glb, gltf, html,
    // brep, step, iges.
    std::vector<std::string> formats;
    double deflection = 0.0;
    // 0 for one per core.
    unsigned workers = 0;
};

// Converts the inputs through KFileBatch, one worker per core, with one
// progress bar for the whole batch. A failed file does not stop the others;
// the end prints one line on standard error per failed file, with its
// reason. EXIT_FAILURE when any failed or the request itself is wrong.
// Call with the library's file services registered and its reports quiet.
int RunBatch(const BatchRequest& request);

} // namespace korrgeom
