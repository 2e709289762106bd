#pragma once

#include <string>

namespace korrgeom {

// The page that shows a glTF model (JSON, its buffer embedded) in a browser,
// opened straight from disk with no server and no network: the model and
// three.js inside the page, orbit controls, the edges drawn and node names
// shown on hover. The title is plain text.
std::string ViewerPage(const std::string& title, const std::string& gltfJson);

} // namespace korrgeom
