#include "Worker/Iges/IgesSections.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace KorrCore::Iges {

namespace {

// Records are 80 columns; column 73 holds the section's letter.
constexpr std::size_t kRecordColumns = 80;
constexpr std::size_t kSectionColumn = 72;
constexpr std::string_view kSections = "SGDPT";
constexpr std::string_view kLineEnds = "\r\n";

// The record at `start`, moving `start` past it, as the kernel's reader takes
// it: after any line ends, up to 80 columns or a "\n", whichever comes first,
// less a "\r" at its end. So records may follow each other without line ends,
// and a "\r" inside one stays in it. Empty at the end of the text.
std::string_view NextRecord(std::string_view text, std::size_t& start)
{
    start = std::min(text.find_first_not_of(kLineEnds, start), text.size());
    std::string_view record = text.substr(start, kRecordColumns);
    record = record.substr(0, record.find('\n'));
    start += record.size();
    while (!record.empty() && record.back() == '\r')
        record.remove_suffix(1);
    return record;
}

// The terminate record: "S" and the start section's line count in 7 columns,
// then the same for G, D and P.
bool CountsMatch(std::string_view terminate, const std::array<int, 4>& counts)
{
    for (std::size_t section = 0; section < counts.size(); ++section) {
        std::string_view field = terminate.substr(section * 8, 8);
        if (field.size() != 8 || field.front() != kSections[section])
            return false;
        field.remove_prefix(field.find_first_not_of(' ', 1));
        int stated = -1;
        const auto parsed = std::from_chars(field.data(), field.data() + field.size(), stated);
        if (parsed.ec != std::errc() || parsed.ptr != field.data() + field.size() || stated != counts[section])
            return false;
    }
    return true;
}

} // namespace

bool SectionsComplete(std::string_view text)
{
    std::array<int, 4> counts{};
    std::string_view last;
    for (std::size_t start = 0; start < text.size();) {
        const std::string_view record = NextRecord(text, start);
        if (record.find_first_not_of(' ') == std::string_view::npos)
            continue;
        const std::size_t section =
            record.size() > kSectionColumn ? kSections.find(record[kSectionColumn]) : kSections.npos;
        // The fixed form starts with a start record; after that, a record
        // without a section letter is a record cut short.
        if (last.empty() && section != 0)
            return true;
        if (section == kSections.npos)
            return false;
        if (section < counts.size())
            ++counts[section];
        last = record;
    }
    return !last.empty() && last[kSectionColumn] == 'T' && CountsMatch(last, counts);
}

} // namespace KorrCore::Iges
