#pragma once

#include <climits>
#include <cstdint>
#include <string_view>
#include <vector>

#include "Internal/Brep/Cursor.h"
#include "Internal/Brep/Geometry.h"

namespace KorrCore::BrepScreen {

// What the sections read so far hold: the later sections refer to their
// entries by number (from 1; 0 means "none" where the format allows it).
struct Tables {
    int format = 0; // 1 to 3, from the header line
    std::int64_t locations = 0;
    std::int64_t curves2d = 0;
    std::int64_t curves = 0;
    std::int64_t polygons3d = 0;
    std::int64_t surfaces = 0;
    // Largest node number each polygon on a triangulation uses, and the node
    // count of each triangulation: an edge may only put a polygon on a
    // triangulation that has those nodes.
    std::vector<std::int64_t> polygonLargestNode;
    std::vector<std::int64_t> triangulationNodes;
    // Which entries of the geometry tables the shapes refer to.
    std::vector<bool> usedCurves2d, usedCurves, usedSurfaces;
    // The geometry records not known to build, left to the kernel's reader.
    std::vector<RecordSpan> unsureCurves2d, unsureCurves, unsureSurfaces;
};

// A section title and its record count, then the records, each consumed by
// `record()`.
template <class Record>
bool CountedSection(Cursor& cursor, std::string_view title, std::int64_t& count, Record record)
{
    if (!cursor.Word(title) || !cursor.Int(0, INT_MAX, count))
        return false;
    for (std::int64_t i = 0; i < count; ++i)
        if (!record())
            return false;
    return true;
}

// One function per section of the format, in file order. Each consumes its
// section and returns false on anything the kernel would misread.
bool LocationsSection(Cursor& cursor, Tables& tables);
bool Curve2dsSection(Cursor& cursor, Tables& tables);
bool CurvesSection(Cursor& cursor, Tables& tables);
bool Polygon3DSection(Cursor& cursor, Tables& tables);
bool PolygonOnTriangulationsSection(Cursor& cursor, Tables& tables);
bool SurfacesSection(Cursor& cursor, Tables& tables);
bool TriangulationsSection(Cursor& cursor, Tables& tables);
// The shapes and, after them, the reference to the file's shape; notes the
// geometry entries the shapes refer to.
bool ShapesSection(Cursor& cursor, Tables& tables);
// Every geometry record not known to build that no shape refers to builds.
// The kernel's reader leaves an empty entry for a record it cannot build; a
// second empty entry in one table takes no place of its own and shifts every
// later entry onto its neighbour's number. So the first record that fails must
// be one the shapes refer to, whose loss the read then shows (ReadScreened).
bool UnusedRecordsBuild(std::string_view text, const Tables& tables);

} // namespace KorrCore::BrepScreen
