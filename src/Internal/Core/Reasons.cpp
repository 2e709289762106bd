#include "Internal/Core/Reasons.h"

#include <charconv>

namespace KorrCore {

std::string Shown(double value)
{
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : std::string("?");
}

std::string Shown(const KMath::Vector3& value)
{
    return "(" + Shown(value.x) + ", " + Shown(value.y) + ", " + Shown(value.z) + ")";
}

const char* KindName(TopAbs_ShapeEnum kind)
{
    switch (kind) {
    case TopAbs_COMPOUND:
        return "a compound";
    case TopAbs_COMPSOLID:
        return "a compound solid";
    case TopAbs_SOLID:
        return "a solid";
    case TopAbs_SHELL:
        return "a shell";
    case TopAbs_FACE:
        return "a face";
    case TopAbs_WIRE:
        return "a wire";
    case TopAbs_EDGE:
        return "an edge";
    case TopAbs_VERTEX:
        return "a vertex";
    case TopAbs_SHAPE:
        break;
    }
    return "no shape";
}

} // namespace KorrCore
