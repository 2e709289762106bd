#include "Worker/Iges/IgesNames.h"

#include <TDF_ChildIterator.hxx>
#include <TDataStd_Name.hxx>
#include <XCAFDoc_DocumentTool.hxx>

#include <optional>
#include <string>
#include <string_view>

namespace KorrCore::Iges {

namespace {

constexpr char kEscape = '%';
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

bool Printable(unsigned char c)
{
    return c >= ' ' && c <= '~';
}

std::string Encoded(std::string_view utf8)
{
    std::string text;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        // The kernel's reader would trim a space at either end.
        const bool trimmed = c == ' ' && (i == 0 || i + 1 == utf8.size());
        if (Printable(c) && c != kEscape && !trimmed) {
            text += static_cast<char>(c);
        } else {
            text += kEscape;
            text += kHexDigits[c >> 4];
            text += kHexDigits[c & 0xF];
        }
    }
    return text;
}

int HexValue(char digit)
{
    const std::size_t value = kHexDigits.find(digit);
    return value == kHexDigits.npos ? -1 : static_cast<int>(value);
}

std::optional<std::string> Decoded(std::string_view text)
{
    std::string utf8;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!Printable(static_cast<unsigned char>(text[i])))
            return std::nullopt;
        if (text[i] != kEscape) {
            utf8 += text[i];
            continue;
        }
        const int high = i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
        if (low < 0)
            return std::nullopt;
        utf8 += static_cast<char>(high << 4 | low);
        i += 2;
    }
    return utf8;
}

// The kernel's UTF-8 decoder takes malformed bytes (and stops at a zero
// byte) without saying so: what does not come back unchanged was not UTF-8.
std::optional<TCollection_ExtendedString> FromUtf8(const std::string& utf8)
{
    TCollection_ExtendedString text(utf8.c_str(), /*isMultiByte=*/true);
    if (TCollection_AsciiString(text).ToCString() != utf8)
        return std::nullopt;
    return text;
}

template <class Rename> void RenameShapes(const Handle(TDocStd_Document) & document, Rename rename)
{
    for (TDF_ChildIterator label(XCAFDoc_DocumentTool::ShapesLabel(document->Main()), /*allLevels=*/true); label.More();
         label.Next()) {
        Handle(TDataStd_Name) name;
        if (label.Value().FindAttribute(TDataStd_Name::GetID(), name))
            if (std::optional<TCollection_ExtendedString> renamed = rename(TCollection_AsciiString(name->Get())))
                name->Set(*renamed);
    }
}

} // namespace

void EncodeNames(const Handle(TDocStd_Document) & document)
{
    RenameShapes(document, [](const TCollection_AsciiString& utf8) {
        return std::optional(TCollection_ExtendedString(Encoded(utf8.ToCString()).c_str()));
    });
}

void DecodeNames(const Handle(TDocStd_Document) & document)
{
    RenameShapes(document, [](const TCollection_AsciiString& text) -> std::optional<TCollection_ExtendedString> {
        const std::optional<std::string> utf8 = Decoded(text.ToCString());
        return utf8 ? FromUtf8(*utf8) : std::nullopt;
    });
}

} // namespace KorrCore::Iges
