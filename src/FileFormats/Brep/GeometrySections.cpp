#include "FileFormats/Brep/Geometry.h"
#include "FileFormats/Brep/Sections.h"

namespace KorrCore::BrepScreen {

bool Curve2dsSection(Cursor& cursor, Tables& tables)
{
    return CountedSection(cursor, "Curve2ds", tables.curves2d, [&] { return Curve2dRecord(cursor); });
}

bool CurvesSection(Cursor& cursor, Tables& tables)
{
    return CountedSection(cursor, "Curves", tables.curves, [&] { return CurveRecord(cursor); });
}

bool SurfacesSection(Cursor& cursor, Tables& tables)
{
    return CountedSection(cursor, "Surfaces", tables.surfaces, [&] { return SurfaceRecord(cursor); });
}

} // namespace KorrCore::BrepScreen
