#pragma once

#include "FileFormats/Brep/Cursor.h"

namespace KorrCore::BrepScreen {

// One record of the Curve2ds, Curves or Surfaces section: its layout is
// checked token by token, then the kernel's own record reader builds it from
// exactly those bytes, apart from the file. A record the kernel cannot build
// would be stored as an empty entry (edges and faces silently losing their
// geometry) and would leave the reader in the middle of the record, so such a
// record refuses the file.
bool Curve2dRecord(Cursor& cursor);
bool CurveRecord(Cursor& cursor);
bool SurfaceRecord(Cursor& cursor);

} // namespace KorrCore::BrepScreen
