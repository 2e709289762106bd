#pragma once

#include <string>
#include <string_view>

namespace KorrCore::Gltf {

// The page bundled from web/ at build time (cmake/ViewerPage.cmake), with the
// placeholders {{TITLE}}, {{MODEL_TYPE}} and {{MODEL}}.
std::string_view ViewerTemplate();

// The page that shows a binary glTF model in a browser, opened straight from
// disk with no server and no network: the model and three.js inside the page,
// orbit controls, the edges drawn, a tree of the model's nodes, names on
// hover and face picking. The title is plain text.
//
// The model goes in as base64, whose alphabet holds no '<' or '&': no name
// inside the model, however hostile, can end its <script> element or be read
// as markup.
std::string ViewerPage(const std::string& title, const std::string& glb);

} // namespace KorrCore::Gltf
