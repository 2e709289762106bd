#include "BrepDamage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <random>
#include <regex>
#include <sstream>

namespace KorrFuzz {

namespace {

constexpr const char* kSectionNames[] = {
    "Locations", "Curve2ds", "Surfaces", "Curves", "Polygon3D", "PolygonOnTriangulations", "Triangulations", "TShapes"};

// "Curves 12" and the like; the Triangulations header of newer files carries
// more words after the count.
std::string SectionHeaderName(const std::string& line)
{
    std::istringstream words(line);
    std::string name;
    long count = 0;
    if (!(words >> name >> count))
        return {};
    const auto known = std::find(std::begin(kSectionNames), std::end(kSectionNames), name);
    return known == std::end(kSectionNames) ? std::string() : name;
}

bool IsNumber(const std::string& token)
{
    static const std::regex number(R"([+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)");
    return std::regex_match(token, number);
}

// Changes that rewrite one number are worth more copies than the cruder ones:
// they are what slips past a structural check.
Change PickChange(std::mt19937_64& random)
{
    static const Change weighted[] = {
        Change::HugeNumber, Change::HugeNumber, Change::HugeNumber,  Change::NegativeNumber, Change::NegativeNumber,
        Change::NanToken,   Change::NanToken,   Change::DeleteBytes, Change::DuplicateLine,  Change::SwapLines};
    return weighted[std::uniform_int_distribution<std::size_t>(0, std::size(weighted) - 1)(random)];
}

std::string HugeValue(std::mt19937_64& random)
{
    const int exponent = std::uniform_int_distribution<int>(13, 308)(random);
    // Above 1.79e308 a double overflows: that is the NaN-token change's business.
    const double mantissa = std::uniform_real_distribution<double>(1.0, exponent == 308 ? 1.79 : 10.0)(random);
    const bool negative = std::bernoulli_distribution(0.5)(random);
    char text[32];
    std::snprintf(text, sizeof text, "%s%.2fe%d", negative ? "-" : "", std::floor(mantissa * 100) / 100, exponent);
    return text;
}

std::string NegativeValue(const std::string& token)
{
    const double value = std::strtod(token.c_str(), nullptr);
    if (value > 0)
        return "-" + token.substr(token[0] == '+' ? 1 : 0);
    return token == "-1" ? "-2" : "-1";
}

std::string NanToken(std::mt19937_64& random)
{
    static const char* const tokens[] = {"nan",      "-nan",  "NaN",    "inf",     "-inf",
                                         "Infinity", "1e999", "-1e999", "1.#QNAN", "-1.#IND"};
    return tokens[std::uniform_int_distribution<std::size_t>(0, std::size(tokens) - 1)(random)];
}

template <class Items> std::size_t PickIndex(const Items& items, std::mt19937_64& random)
{
    return std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random);
}

} // namespace

const char* ChangeName(Change change)
{
    switch (change) {
    case Change::HugeNumber:
        return "huge";
    case Change::NegativeNumber:
        return "negative";
    case Change::NanToken:
        return "nan-token";
    case Change::DeleteBytes:
        return "delete-bytes";
    case Change::DuplicateLine:
        return "duplicate-line";
    case Change::SwapLines:
        return "swap-lines";
    }
    return "unknown";
}

BrepDamage::BrepDamage(std::string brep) : text(std::move(brep))
{
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t newline = text.find('\n', begin);
        const std::size_t end = newline == std::string::npos ? text.size() : newline + 1;
        lines.push_back({begin, end});
        begin = end;
    }
    for (const Span& line : lines) {
        const std::string content = text.substr(line.begin, line.end - line.begin);
        const std::string header = SectionHeaderName(content);
        if (!header.empty()) {
            sections.push_back({header, {}, {}});
            continue;
        }
        if (sections.empty())
            continue; // the file's own header lines
        Section& section = sections.back();
        section.lines.push_back(line);
        for (std::size_t at = 0; at < content.size();) {
            const std::size_t start = content.find_first_not_of(" \t\r\n", at);
            if (start == std::string::npos)
                break;
            const std::size_t stop = std::min(content.find_first_of(" \t\r\n", start), content.size());
            if (IsNumber(content.substr(start, stop - start)))
                section.numbers.push_back({line.begin + start, line.begin + stop});
            at = stop;
        }
    }
    // An empty section still ends in a blank line in some files: nothing there to damage.
    const auto blank = [&](const Span& line) { return Content(line).find_first_not_of(" \t\r") == std::string::npos; };
    sections.erase(std::remove_if(sections.begin(), sections.end(),
                                  [&](const Section& s) { return std::all_of(s.lines.begin(), s.lines.end(), blank); }),
                   sections.end());
}

std::string BrepDamage::Content(const Span& line) const
{
    const std::size_t end = line.end > line.begin && text[line.end - 1] == '\n' ? line.end - 1 : line.end;
    return text.substr(line.begin, end - line.begin);
}

std::size_t BrepDamage::LineAt(std::size_t offset) const
{
    const auto after = std::upper_bound(lines.begin(), lines.end(), offset,
                                        [](std::size_t at, const Span& line) { return at < line.begin; });
    return static_cast<std::size_t>(after - lines.begin());
}

DamagedCopy BrepDamage::Make(std::uint64_t seed, std::size_t copy) const
{
    std::seed_seq seeds{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32),
                        static_cast<std::uint32_t>(copy)};
    std::mt19937_64 random(seeds);
    DamagedCopy damaged{text, PickChange(random), {}, 0, {}};
    const bool onNumber = damaged.change == Change::HugeNumber || damaged.change == Change::NegativeNumber ||
                          damaged.change == Change::NanToken;
    std::vector<const Section*> candidates;
    for (const Section& section : sections)
        if (!onNumber || !section.numbers.empty())
            candidates.push_back(&section);
    if (candidates.empty())
        return damaged; // nothing to change: the copy is the original
    const Section& section = *candidates[PickIndex(candidates, random)];
    damaged.section = section.name;
    std::string& bytes = damaged.bytes;

    if (onNumber) {
        const Span number = section.numbers[PickIndex(section.numbers, random)];
        const std::string old = text.substr(number.begin, number.end - number.begin);
        const std::string replacement = damaged.change == Change::HugeNumber       ? HugeValue(random)
                                        : damaged.change == Change::NegativeNumber ? NegativeValue(old)
                                                                                   : NanToken(random);
        bytes.replace(number.begin, number.end - number.begin, replacement);
        damaged.line = LineAt(number.begin);
        damaged.what = "'" + old + "' -> '" + replacement + "'";
        return damaged;
    }
    const std::size_t pick = PickIndex(section.lines, random);
    const Span line = section.lines[pick];
    damaged.line = LineAt(line.begin);
    if (damaged.change == Change::DeleteBytes) {
        const std::size_t sectionEnd = section.lines.back().end;
        const std::size_t at = std::uniform_int_distribution<std::size_t>(line.begin, line.end - 1)(random);
        const std::size_t count =
            std::min<std::size_t>(std::uniform_int_distribution<std::size_t>(1, 8)(random), sectionEnd - at);
        bytes.erase(at, count);
        damaged.what = "deleted " + std::to_string(count) + " bytes '" + text.substr(at, count) + "'";
    } else if (damaged.change == Change::DuplicateLine) {
        bytes.insert(line.begin, Content(line) + "\n");
        damaged.what = "duplicated";
    } else {
        // Only the lines' contents trade places, so that a last line without a
        // newline does not run into its neighbour.
        const std::size_t index = damaged.line - 1;
        const std::size_t distance = std::uniform_int_distribution<std::size_t>(1, 5)(random);
        const std::size_t other = index + distance < lines.size() ? index + distance : index - distance;
        const Span first = lines[std::min(index, other)];
        const Span second = lines[std::max(index, other)];
        const std::size_t firstEnd = first.begin + Content(first).size();
        const std::size_t secondEnd = second.begin + Content(second).size();
        bytes = text.substr(0, first.begin) + Content(second) + text.substr(firstEnd, second.begin - firstEnd) +
                Content(first) + text.substr(secondEnd);
        damaged.what = "swapped with line " + std::to_string(other + 1);
    }
    return damaged;
}

} // namespace KorrFuzz
