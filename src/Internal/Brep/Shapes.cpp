#include <algorithm>
#include <string_view>

#include "Internal/Brep/Sections.h"

namespace KorrCore::BrepScreen {

namespace {

// Sub-shapes nest at most this deep. The kernel's own walks over a shape
// recurse once per level, and real shapes nest about ten levels.
constexpr int kMaxNesting = 256;
// The reader takes a face's lines into buffers of 256 characters.
constexpr std::size_t kMaxFaceLine = 255;

bool Location(Cursor& cursor, const Tables& tables) { return cursor.Int(0, tables.locations); }

// An entry of a geometry table, noted as used.
bool Entry(Cursor& cursor, std::vector<bool>& used)
{
    std::int64_t index = 0;
    if (!cursor.Int(1, static_cast<std::int64_t>(used.size()), index))
        return false;
    used[index - 1] = true;
    return true;
}

bool IsRegularity(std::string_view token)
{
    for (std::string_view known : {"C0", "C1", "C2", "C3", "CN", "G1", "G2"})
        if (token == known)
            return true;
    return false;
}

bool Regularity(Cursor& cursor)
{
    std::string_view token;
    return cursor.Token(token) && IsRegularity(token);
}

// The second curve of an edge on a closed surface and the continuity across
// it. The writer puts no space between them ("6CN"); the reader's integer
// extraction stops at the letter either way.
bool SecondCurveAndRegularity(Cursor& cursor, Tables& tables)
{
    std::string_view token;
    if (!cursor.Token(token))
        return false;
    const std::size_t digits = token.find_first_not_of("0123456789");
    std::int64_t curve = 0;
    if (digits == 0 || !ParseInt(token.substr(0, digits), 1, tables.curves2d, curve))
        return false;
    tables.usedCurves2d[curve - 1] = true;
    return digits == std::string_view::npos ? Regularity(cursor) : IsRegularity(token.substr(digits));
}

bool IsBlank(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return IsSpace(c); });
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// A vertex: tolerance and point, then its parameters on curves and surfaces up
// to a "0 0" entry.
bool VertexGeometry(Cursor& cursor, Tables& tables)
{
    if (!cursor.Reals(4))
        return false;
    for (;;) {
        std::int64_t kind = 0;
        if (!cursor.Reals(1) || !cursor.Int(0, 3, kind))
            return false;
        bool ok = true;
        switch (kind) {
        case 0: return true;
        case 1: ok = Entry(cursor, tables.usedCurves); break;
        case 2: ok = Entry(cursor, tables.usedCurves2d) && Entry(cursor, tables.usedSurfaces); break;
        default: ok = cursor.Reals(1) && Entry(cursor, tables.usedSurfaces); break;
        }
        if (!ok || !Location(cursor, tables))
            return false;
    }
}

// One or two polygons of an edge on a triangulation that has their nodes.
bool PolygonsOnTriangulation(Cursor& cursor, const Tables& tables, int polygons)
{
    const auto polygonCount = static_cast<std::int64_t>(tables.polygonLargestNode.size());
    const auto triangulationCount = static_cast<std::int64_t>(tables.triangulationNodes.size());
    std::int64_t polygon[2] = {0, 0};
    std::int64_t triangulation = 0;
    for (int i = 0; i < polygons; ++i)
        if (!cursor.Int(1, polygonCount, polygon[i]))
            return false;
    if (!cursor.Int(1, triangulationCount, triangulation))
        return false;
    for (int i = 0; i < polygons; ++i)
        if (tables.polygonLargestNode[polygon[i] - 1] > tables.triangulationNodes[triangulation - 1])
            return false;
    return true;
}

// An edge: tolerance and three flags, then its representations up to a 0.
bool EdgeGeometry(Cursor& cursor, Tables& tables)
{
    if (!cursor.Reals(1) || !cursor.Flag() || !cursor.Flag() || !cursor.Flag())
        return false;
    // The second version of the format stores the end points on each surface
    // after the range.
    const std::int64_t endPoints = tables.format == 2 ? 4 : 0;
    for (;;) {
        std::int64_t kind = 0;
        if (!cursor.Int(0, 7, kind))
            return false;
        bool ok = true;
        switch (kind) {
        case 0: return true;
        case 1: // curve in space
            ok = Entry(cursor, tables.usedCurves) && Location(cursor, tables) && cursor.Range();
            break;
        case 2: // curve on a surface
            ok = Entry(cursor, tables.usedCurves2d) && Entry(cursor, tables.usedSurfaces) &&
                 Location(cursor, tables) && cursor.Range() && cursor.Reals(endPoints);
            break;
        case 3: // two curves on a closed surface
            ok = Entry(cursor, tables.usedCurves2d) && SecondCurveAndRegularity(cursor, tables) &&
                 Entry(cursor, tables.usedSurfaces) && Location(cursor, tables) && cursor.Range() &&
                 cursor.Reals(endPoints);
            break;
        case 4: // continuity between two surfaces
            ok = Regularity(cursor) && Entry(cursor, tables.usedSurfaces) && Location(cursor, tables) &&
                 Entry(cursor, tables.usedSurfaces) && Location(cursor, tables);
            break;
        case 5: // polygon in space
            ok = cursor.Int(1, tables.polygons3d) && Location(cursor, tables);
            break;
        default: // polygon(s) on a triangulation
            ok = PolygonsOnTriangulation(cursor, tables, kind == 7 ? 2 : 1) && Location(cursor, tables);
            break;
        }
        if (!ok)
            return false;
    }
}

// A face: surface, tolerance and location, or a triangulation alone. After a
// surface the reader takes the rest of the line and then one whole line, which
// is empty or names the face's triangulation as "2 <number>".
bool FaceGeometry(Cursor& cursor, Tables& tables)
{
    const auto triangulations = static_cast<std::int64_t>(tables.triangulationNodes.size());
    std::int64_t kind = 0;
    if (!cursor.Int(0, 2, kind))
        return false;
    if (kind == 2)
        return cursor.Int(1, triangulations);
    std::string_view line;
    std::int64_t surface = 0;
    if (!cursor.Reals(1) || !cursor.Int(0, tables.surfaces, surface) || !Location(cursor, tables) ||
        !cursor.BlankRestOfLine(kMaxFaceLine) || !cursor.Line(kMaxFaceLine, line))
        return false;
    // 0: no surface.
    if (surface > 0)
        tables.usedSurfaces[surface - 1] = true;
    if (line.empty() || line[0] != '2')
        return IsBlank(line);
    std::int64_t triangulation = 0;
    return line.size() > 2 && (line[1] == ' ' || line[1] == '\t') &&
           ParseInt(Trimmed(line.substr(2)), 1, triangulations, triangulation);
}

bool Geometry(std::string_view kind, Cursor& cursor, Tables& tables)
{
    if (kind == "Ve")
        return VertexGeometry(cursor, tables);
    if (kind == "Ed")
        return EdgeGeometry(cursor, tables);
    if (kind == "Fa")
        return FaceGeometry(cursor, tables);
    // Wires, shells, solids, composite solids and compounds carry no geometry.
    return kind == "Wi" || kind == "Sh" || kind == "So" || kind == "CS" || kind == "Co";
}

// Seven 0/1 flags written as one word.
bool Flags(Cursor& cursor)
{
    std::string_view token;
    return cursor.Token(token) && token.size() == 7 &&
           std::all_of(token.begin(), token.end(), [](char c) { return c == '0' || c == '1'; });
}

// "+n", "-n", "in" or "en": an orientation and the shape's place counted from
// the end of the table. Only shapes read before may be referred to.
bool Reference(std::string_view token, std::int64_t count, std::int64_t known, std::int64_t& index)
{
    std::int64_t fromEnd = 0;
    if (token.size() < 2 || std::string_view("+-ie").find(token[0]) == std::string_view::npos ||
        token[1] < '0' || token[1] > '9' || !ParseInt(token.substr(1), 1, count, fromEnd))
        return false;
    index = count - fromEnd + 1;
    return index <= known;
}

} // namespace

bool ShapesSection(Cursor& cursor, Tables& tables)
{
    tables.usedCurves2d.assign(static_cast<std::size_t>(tables.curves2d), false);
    tables.usedCurves.assign(static_cast<std::size_t>(tables.curves), false);
    tables.usedSurfaces.assign(static_cast<std::size_t>(tables.surfaces), false);
    std::int64_t count = 0;
    // An empty table holds no shape: the kernel would not read one.
    if (!cursor.Word("TShapes") || !cursor.Int(1, INT_MAX, count))
        return false;
    std::vector<int> nesting;
    for (std::int64_t known = 0; known < count; ++known) {
        std::string_view kind;
        if (!cursor.Token(kind) || !Geometry(kind, cursor, tables) || !Flags(cursor))
            return false;
        int deepest = 0;
        for (;;) {
            std::string_view token;
            if (!cursor.Token(token))
                return false;
            if (token == "*")
                break;
            std::int64_t index = 0;
            if (!Reference(token, count, known, index) || !Location(cursor, tables))
                return false;
            deepest = std::max(deepest, nesting[index - 1]);
        }
        if (deepest >= kMaxNesting)
            return false;
        nesting.push_back(deepest + 1);
    }
    std::string_view top;
    std::int64_t index = 0;
    return cursor.Token(top) && Reference(top, count, count, index) && Location(cursor, tables);
}

} // namespace KorrCore::BrepScreen
