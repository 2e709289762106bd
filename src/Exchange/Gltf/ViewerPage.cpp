#include "Exchange/Gltf/ViewerPage.h"

#include <FSD_Base64.hxx>

namespace KorrCore::Gltf {

namespace {

std::string EscapedHtml(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        if (c == '&' || c == '<' || c == '>' || c == '"' || c == '\'')
            escaped += "&#" + std::to_string(static_cast<int>(c)) + ";";
        else
            escaped += c;
    }
    return escaped;
}

std::string Base64(const std::string& bytes)
{
    const auto* data = reinterpret_cast<const Standard_Byte*>(bytes.data());
    std::string encoded(FSD_Base64::Encode(nullptr, 0, data, bytes.size()), '\0');
    encoded.resize(FSD_Base64::Encode(encoded.data(), encoded.size(), data, bytes.size()));
    return encoded;
}

} // namespace

std::string ViewerPage(const std::string& title, const std::string& glb)
{
    const std::string_view page = ViewerTemplate();
    const std::string model = Base64(glb);
    std::string filled;
    filled.reserve(page.size() + model.size() + title.size());
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
            filled += "model/gltf-binary";
        else if (name == "MODEL")
            filled += model;
        else
            filled.append(page.substr(open, close + 2 - open));
        from = close + 2;
    }
    filled.append(page.substr(from));
    return filled;
}

} // namespace KorrCore::Gltf
