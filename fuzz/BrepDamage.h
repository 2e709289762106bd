#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace KorrFuzz {

// The one change a damaged copy carries.
enum class Change {
    HugeNumber, // a number replaced by 1e13 ... 1e308, either sign
    NegativeNumber,
    NanToken,    // a number replaced by a token that reads as NaN or infinity somewhere
    DeleteBytes, // 1 to 8 bytes cut out
    DuplicateLine,
    SwapLines, // a line and one of the five after it
};

const char* ChangeName(Change change);

struct DamagedCopy {
    std::string bytes;
    Change change;
    // Where: the file section ("Curves", "TShapes", ...) and its 1-based line.
    std::string section;
    std::size_t line = 0;
    // What, e.g. "'0.5' -> '-3.71e145'".
    std::string what;
};

// Makes damaged copies of one BRep text, each with exactly one change. The
// changes are spread evenly over the file's sections (Locations, Curve2ds,
// Curves, Polygon3D, PolygonOnTriangulations, Surfaces, Triangulations,
// TShapes), whatever their sizes, so that a small section is hit as often as
// the bulk of the geometry.
class BrepDamage {
public:
    explicit BrepDamage(std::string text);

    // Copy number `copy` of the sweep with this seed: the same arguments give
    // the same copy.
    DamagedCopy Make(std::uint64_t seed, std::size_t copy) const;

private:
    struct Span {
        std::size_t begin;
        std::size_t end;
    };
    struct Section {
        std::string name;
        // Its lines after the header line, and every number on them.
        std::vector<Span> lines;
        std::vector<Span> numbers;
    };

    // A line without its newline.
    std::string Content(const Span& line) const;
    std::size_t LineAt(std::size_t offset) const;

    std::string text;
    std::vector<Span> lines;
    std::vector<Section> sections;
};

} // namespace KorrFuzz
