#include "FileFormats/Brep/Geometry.h"
#include "FileFormats/Brep/Sections.h"

namespace KorrCore::BrepScreen {

bool Curve2dsSection(Cursor& cursor, Tables& tables)
{
    KernelRecords kernel(cursor.Whole());
    return CountedSection(cursor, "Curve2ds", tables.curves2d, [&] { return Curve2dRecord(cursor, kernel); });
}

bool CurvesSection(Cursor& cursor, Tables& tables)
{
    KernelRecords kernel(cursor.Whole());
    return CountedSection(cursor, "Curves", tables.curves, [&] { return CurveRecord(cursor, kernel); });
}

bool SurfacesSection(Cursor& cursor, Tables& tables)
{
    KernelRecords kernel(cursor.Whole());
    return CountedSection(cursor, "Surfaces", tables.surfaces, [&] { return SurfaceRecord(cursor, kernel); });
}

} // namespace KorrCore::BrepScreen
