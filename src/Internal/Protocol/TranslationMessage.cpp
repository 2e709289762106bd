#include "Internal/Protocol/TranslationMessage.h"

#include <BRepTools.hxx>
#include <TopExp.hxx>

#include <algorithm>
#include <charconv>
#include <locale>
#include <sstream>

namespace KorrCore::Xde {

namespace {

constexpr std::string_view kHeader = "korrgeom-translation 2\n";
constexpr std::string_view kEnd = "end\n";

template <class Number> void Append(std::string& out, Number value)
{
    char digits[64];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, written.ptr);
}

void AppendEntry(std::string& out, int index, const SubShapeAttributes& entry)
{
    Append(out, index);
    out += entry.use ? " 1 " : " 0 ";
    Append(out, entry.name.size());
    out += ' ';
    Append(out, entry.product.size());
    out += entry.colour ? " 1" : " 0";
    if (entry.colour) {
        for (float component : {entry.colour->Red, entry.colour->Green, entry.colour->Blue, entry.colour->Alpha}) {
            out += ' ';
            Append(out, component);
        }
    }
    out += '\n';
    out += entry.name;
    out += entry.product;
    out += '\n';
}

// Reads the message front to back; any mismatch leaves it failed for good.
class Reader {
public:
    explicit Reader(std::string_view text) : rest(text) {}

    bool Literal(std::string_view expected)
    {
        ok = ok && Next(expected);
        return ok;
    }

    // Consumes `candidate` when the text goes on with it; no failure otherwise.
    bool Next(std::string_view candidate)
    {
        if (!ok || rest.substr(0, candidate.size()) != candidate)
            return false;
        rest.remove_prefix(candidate.size());
        return true;
    }

    // A number followed by one separator character.
    template <class Number> Number Value(char separator)
    {
        Number value{};
        if (!ok)
            return value;
        const auto parsed = std::from_chars(rest.data(), rest.data() + rest.size(), value);
        ok = parsed.ec == std::errc() && parsed.ptr < rest.data() + rest.size() && *parsed.ptr == separator;
        if (ok)
            rest.remove_prefix(static_cast<std::size_t>(parsed.ptr - rest.data()) + 1);
        return value;
    }

    std::string_view Bytes(std::size_t count)
    {
        ok = ok && count <= rest.size();
        if (!ok)
            return {};
        const std::string_view bytes = rest.substr(0, count);
        rest.remove_prefix(count);
        return bytes;
    }

    bool Ok() const { return ok; }
    bool AtEnd() const { return rest.empty(); }

private:
    std::string_view rest;
    bool ok = true;
};

// An entry after its index: see the message layout.
SubShapeAttributes ReadEntry(Reader& reader)
{
    SubShapeAttributes entry;
    entry.use = reader.Value<int>(' ') == 1;
    const auto nameBytes = reader.Value<std::size_t>(' ');
    const auto productBytes = reader.Value<std::size_t>(' ');
    if (reader.Next("1 ")) {
        const float red = reader.Value<float>(' ');
        const float green = reader.Value<float>(' ');
        const float blue = reader.Value<float>(' ');
        const float alpha = reader.Value<float>('\n');
        entry.colour = KColor{red, green, blue, alpha};
    } else {
        reader.Literal("0\n");
    }
    entry.name = reader.Bytes(nameBytes);
    entry.product = reader.Bytes(productBytes);
    reader.Literal("\n");
    return entry;
}

} // namespace

TopTools_IndexedMapOfShape SubShapesInRootFrame(const TopoDS_Shape& root)
{
    TopTools_IndexedMapOfShape walk;
    if (!root.IsNull())
        TopExp::MapShapes(root.Located(TopLoc_Location()), walk);
    return walk;
}

std::string EncodeTranslation(const TopoDS_Shape& root, const ShapeAttributes& attributes)
{
    std::ostringstream brep;
    brep.imbue(std::locale::classic());
    BRepTools::Write(root, brep);
    const std::string text = brep.str();

    const TopTools_IndexedMapOfShape walk = SubShapesInRootFrame(root);
    std::vector<std::pair<int, const SubShapeAttributes*>> entries;
    attributes.ForEach([&](const TopoDS_Shape& key, const SubShapeAttributes& entry) {
        if (const int index = walk.FindIndex(key))
            entries.emplace_back(index, &entry);
    });
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    std::string message(kHeader);
    message += "brep ";
    Append(message, text.size());
    message += '\n';
    message += text;
    message += "\nsubshapes ";
    Append(message, walk.Extent());
    message += "\nattributes ";
    Append(message, entries.size());
    message += '\n';
    for (const auto& [index, entry] : entries)
        AppendEntry(message, index, *entry);
    message += kEnd;
    return message;
}

std::optional<DecodedTranslation> DecodeTranslation(std::string_view message)
{
    Reader reader(message);
    DecodedTranslation decoded;
    reader.Literal(kHeader);
    reader.Literal("brep ");
    decoded.brep = reader.Bytes(reader.Value<std::size_t>('\n'));
    reader.Literal("\nsubshapes ");
    decoded.subShapeCount = reader.Value<int>('\n');
    reader.Literal("attributes ");
    const auto count = reader.Value<std::size_t>('\n');
    // Each entry takes more than a few bytes: a count beyond that is damage.
    for (std::size_t i = 0; reader.Ok() && i < count && i < message.size(); ++i) {
        const int index = reader.Value<int>(' ');
        if (index < 1 || index > decoded.subShapeCount)
            return std::nullopt;
        decoded.entries.emplace_back(index, ReadEntry(reader));
    }
    reader.Literal(kEnd);
    if (!reader.Ok() || !reader.AtEnd() || decoded.entries.size() != count)
        return std::nullopt;
    return decoded;
}

std::optional<ShapeAttributes> AttributesOn(const TopoDS_Shape& root, const DecodedTranslation& decoded)
{
    const TopTools_IndexedMapOfShape walk = SubShapesInRootFrame(root);
    if (walk.Extent() != decoded.subShapeCount)
        return std::nullopt;
    ShapeAttributes attributes;
    for (const auto& [index, entry] : decoded.entries)
        attributes.Set(walk.FindKey(index), entry);
    return attributes;
}

} // namespace KorrCore::Xde
