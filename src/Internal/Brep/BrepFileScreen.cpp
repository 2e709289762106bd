#include "Internal/Brep/BrepFileScreen.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "Internal/Brep/Sections.h"

namespace KorrCore {

namespace {

using BrepScreen::Cursor;

// The reader reads header lines into a buffer of 100 characters.
constexpr std::size_t kMaxHeaderLine = 99;

// The reader skips lines up to the one naming the format version (writers put
// a title line first).
bool Header(Cursor& cursor, int& format)
{
    constexpr std::string_view kVersions[] = {
        "CASCADE Topology V1, (c) Matra-Datavision",
        "CASCADE Topology V2, (c) Matra-Datavision",
        "CASCADE Topology V3, (c) Open Cascade",
    };
    for (std::string_view line; cursor.Line(kMaxHeaderLine, line);) {
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        for (int version = 1; version <= 3; ++version) {
            if (line == kVersions[version - 1]) {
                format = version;
                return true;
            }
        }
    }
    return false;
}

// After the shape's reference only white space, or the end mark ("0") that the
// kernel's drawing tool writes after a saved shape.
bool Ending(Cursor& cursor) { return cursor.AtEnd() || (cursor.Word("0") && cursor.AtEnd()); }

std::size_t CountUsed(const std::vector<bool>& used)
{
    return static_cast<std::size_t>(std::count(used.begin(), used.end(), true));
}

} // namespace

std::optional<GeometryUse> ScreenBrepText(std::string_view text, ScreenStop* stop)
{
    using namespace BrepScreen;
    Cursor cursor(text);
    Tables tables;
    const std::pair<const char*, std::function<bool()>> parts[] = {
        {kBrepHeader, [&] { return Header(cursor, tables.format); }},
        {"the locations", [&] { return LocationsSection(cursor, tables); }},
        {"the 2D curves", [&] { return Curve2dsSection(cursor, tables); }},
        {"the curves", [&] { return CurvesSection(cursor, tables); }},
        {"the 3D polygons", [&] { return Polygon3DSection(cursor, tables); }},
        {"the polygons on triangulations", [&] { return PolygonOnTriangulationsSection(cursor, tables); }},
        {"the surfaces", [&] { return SurfacesSection(cursor, tables); }},
        {"the triangulations", [&] { return TriangulationsSection(cursor, tables); }},
        {"the shapes", [&] { return ShapesSection(cursor, tables); }},
        {"the end of the text", [&] { return Ending(cursor); }},
        {"a geometry record the kernel cannot build", [&] { return UnusedRecordsBuild(text, tables); }},
    };
    for (const auto& [part, read] : parts) {
        if (!read()) {
            if (stop)
                *stop = ScreenStop{part, cursor.Offset()};
            return std::nullopt;
        }
    }
    return GeometryUse{CountUsed(tables.usedCurves2d), CountUsed(tables.usedCurves), CountUsed(tables.usedSurfaces)};
}

} // namespace KorrCore
