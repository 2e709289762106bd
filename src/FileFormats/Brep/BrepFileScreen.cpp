#include "FileFormats/Brep/BrepFileScreen.h"

#include <algorithm>

#include "FileFormats/Brep/Sections.h"

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

std::optional<GeometryUse> ScreenBrepText(std::string_view text)
{
    using namespace BrepScreen;
    Cursor cursor(text);
    Tables tables;
    if (!(Header(cursor, tables.format) && LocationsSection(cursor, tables) && Curve2dsSection(cursor, tables) &&
          CurvesSection(cursor, tables) && Polygon3DSection(cursor, tables) &&
          PolygonOnTriangulationsSection(cursor, tables) && SurfacesSection(cursor, tables) &&
          TriangulationsSection(cursor, tables) && ShapesSection(cursor, tables) && Ending(cursor) &&
          UnusedRecordsBuild(text, tables)))
        return std::nullopt;
    return GeometryUse{CountUsed(tables.usedCurves2d), CountUsed(tables.usedCurves), CountUsed(tables.usedSurfaces)};
}

} // namespace KorrCore
