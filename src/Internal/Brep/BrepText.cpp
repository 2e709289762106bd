#include "Internal/Brep/BrepText.h"

#include <algorithm>

#include "Internal/Brep/ScreenedRead.h"
#include "Internal/Core/Guarded.h"
#include "Internal/Core/ShapeAccess.h"
#include "Internal/Platform/Outcome.h"

namespace KorrCore {

namespace {

// Where in the text the reader stopped, for a person: "the surfaces, at line
// 57, byte 1234".
std::string Where(const ScreenStop& stop, std::string_view text)
{
    const std::size_t offset = std::min(stop.offset, text.size());
    const auto line = std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n') + 1;
    return std::string("the reader stopped in ") + stop.part + ", at line " + std::to_string(line) + ", byte " +
           std::to_string(offset);
}

} // namespace

ShapePtr ReadBrepText(std::string_view text, const std::string& source)
{
    return Guarded([&]() -> ShapePtr {
        ScreenStop stop;
        const TopoDS_Shape shape = ReadScreened(text, &stop);
        if (!shape.IsNull())
            return WrapShape(shape);
        if (stop.part == kBrepHeader)
            SetOutcome(KOutcomeCode::FileForeign, source + " is not a BRep file: no line names a BRep format", source);
        else
            SetOutcome(KOutcomeCode::FileDamaged, source + " is damaged or cut short", source, Where(stop, text));
        return nullptr;
    });
}

} // namespace KorrCore
