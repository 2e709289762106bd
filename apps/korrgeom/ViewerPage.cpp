#include "ViewerPage.h"

#include <string_view>

namespace korrgeom {

// The page bundled from web/ at build time (cmake/ViewerPage.cmake), with the
// placeholders {{TITLE}}, {{MODEL_TYPE}} and {{MODEL}}.
std::string_view ViewerTemplate();

namespace {

std::string EscapedHtml(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        if (c == '&' || c == '<' || c == '>' || c == '"')
            escaped += "&#" + std::to_string(static_cast<int>(c)) + ";";
        else
            escaped += c;
    }
    return escaped;
}

// The model sits in a <script> element, which the first "</" would end; in
// JSON "<\/" is the same text.
std::string ScriptSafe(const std::string& json)
{
    std::string safe;
    safe.reserve(json.size());
    for (std::size_t i = 0; i < json.size(); ++i) {
        safe += json[i];
        if (json[i] == '<' && i + 1 < json.size() && json[i + 1] == '/')
            safe += '\\';
    }
    return safe;
}

} // namespace

std::string ViewerPage(const std::string& title, const std::string& gltfJson)
{
    const std::string_view page = ViewerTemplate();
    std::string filled;
    filled.reserve(page.size() + gltfJson.size() + title.size());
    std::size_t from = 0;
    for (std::size_t open = page.find("{{"); open != std::string_view::npos; open = page.find("{{", from)) {
        const std::size_t close = page.find("}}", open);
        if (close == std::string_view::npos)
            break;
        filled.append(page.substr(from, open - from));
        const std::string_view name = page.substr(open + 2, close - open - 2);
        if (name == "TITLE")
            filled += EscapedHtml(title);
        else if (name == "MODEL_TYPE")
            filled += "model/gltf+json";
        else if (name == "MODEL")
            filled += ScriptSafe(gltfJson);
        else
            filled.append(page.substr(open, close + 2 - open));
        from = close + 2;
    }
    filled.append(page.substr(from));
    return filled;
}

} // namespace korrgeom
