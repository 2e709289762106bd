#include "Internal/Brep/Geometry.h"

#include <algorithm>

#include "Internal/Brep/Sections.h"

namespace KorrCore::BrepScreen {

namespace {

// The section's records, noting those not known to build.
template <class Record>
bool GeometrySection(Cursor& cursor, std::string_view title, std::int64_t& count, std::vector<RecordSpan>& unsure,
                     Record record)
{
    KernelRecords kernel(cursor.Whole());
    std::int64_t entry = 0;
    return CountedSection(cursor, title, count, [&] {
        const std::size_t begin = cursor.Offset();
        bool builds = false;
        if (!record(cursor, kernel, builds))
            return false;
        ++entry;
        if (!builds)
            unsure.push_back({entry, begin, cursor.Offset()});
        return true;
    });
}

template <class Builds>
bool UnusedBuild(KernelRecords& kernel, const std::vector<RecordSpan>& unsure, const std::vector<bool>& used,
                 Builds builds)
{
    return std::all_of(unsure.begin(), unsure.end(), [&](const RecordSpan& record) {
        return used[static_cast<std::size_t>(record.entry - 1)] || builds(kernel, record);
    });
}

} // namespace

bool Curve2dsSection(Cursor& cursor, Tables& tables)
{
    return GeometrySection(cursor, "Curve2ds", tables.curves2d, tables.unsureCurves2d, Curve2dRecord);
}

bool CurvesSection(Cursor& cursor, Tables& tables)
{
    return GeometrySection(cursor, "Curves", tables.curves, tables.unsureCurves, CurveRecord);
}

bool SurfacesSection(Cursor& cursor, Tables& tables)
{
    return GeometrySection(cursor, "Surfaces", tables.surfaces, tables.unsureSurfaces, SurfaceRecord);
}

bool UnusedRecordsBuild(std::string_view text, const Tables& tables)
{
    KernelRecords kernel(text);
    return UnusedBuild(kernel, tables.unsureCurves2d, tables.usedCurves2d, Curve2dBuilds) &&
           UnusedBuild(kernel, tables.unsureCurves, tables.usedCurves, CurveBuilds) &&
           UnusedBuild(kernel, tables.unsureSurfaces, tables.usedSurfaces, SurfaceBuilds);
}

} // namespace KorrCore::BrepScreen
