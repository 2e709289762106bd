#pragma once

#include <cstdint>
#include <istream>
#include <optional>

#include "Internal/Brep/Cursor.h"
#include "Internal/Brep/TextBuffer.h"

namespace KorrCore::BrepScreen {

// The kernel's own record readers, run on the file's text where a record
// starts: one stream for a whole section, and no copy of the text.
class KernelRecords {
public:
    explicit KernelRecords(std::string_view text);

    // The kernel's `read` builds a record from the text at `begin` and stops
    // exactly at `end`.
    template <class Read>
    bool Build(std::size_t begin, std::size_t end, Read read);

private:
    TextBuffer buffer;
    // Made on the first build: most sections build nothing.
    std::optional<std::istream> stream;
};

// One record of the Curve2ds, Curves or Surfaces section, checked token by
// token so that the kernel's reader consumes exactly the record, whether it
// builds it or not: a record it cannot build becomes an empty entry, which the
// shapes' reader skips. The bases that trimmed, offset, extrusion and
// revolution records hold, and records on which the kernel might raise before
// their end, are built by the kernel's own record reader apart from the file,
// and must build. `builds` tells whether the record is known to build: the
// others are left to the kernel.
bool Curve2dRecord(Cursor& cursor, KernelRecords& kernel, bool& builds);
bool CurveRecord(Cursor& cursor, KernelRecords& kernel, bool& builds);
bool SurfaceRecord(Cursor& cursor, KernelRecords& kernel, bool& builds);

// Where a record of a table lies in the text; its entry number counts from 1.
struct RecordSpan {
    std::int64_t entry = 0;
    std::size_t begin = 0, end = 0;
};

// The kernel's record reader builds the record.
bool Curve2dBuilds(KernelRecords& kernel, const RecordSpan& record);
bool CurveBuilds(KernelRecords& kernel, const RecordSpan& record);
bool SurfaceBuilds(KernelRecords& kernel, const RecordSpan& record);

} // namespace KorrCore::BrepScreen
