#include "SweepTally.h"

#include <algorithm>
#include <iomanip>

namespace KorrFuzz {

namespace {

constexpr int kNameWidth = 40;

std::size_t Findings(const std::map<Outcome, std::size_t>& outcomes)
{
    std::size_t findings = 0;
    for (const auto& [outcome, count] : outcomes)
        findings += IsFinding(outcome) ? count : 0;
    return findings;
}

// The column heading of an outcome, short enough for a table.
const char* Heading(Outcome outcome)
{
    switch (outcome) {
    case Outcome::OutOfMemory:
        return "oom";
    case Outcome::NonFinite:
        return "nonfin";
    case Outcome::OutOfBox:
        return "outbox";
    case Outcome::BadIndex:
        return "badidx";
    case Outcome::EscapedException:
        return "escaped";
    default:
        return OutcomeName(outcome);
    }
}

} // namespace

void SweepTally::Add(const std::string& row, Outcome outcome, bool raised, double seconds)
{
    if (rows.find(row) == rows.end())
        order.push_back(row);
    for (Counts* counts : {&rows[row], &total}) {
        ++counts->outcomes[outcome];
        ++counts->copies;
        counts->raised += raised ? 1 : 0;
        counts->seconds += seconds;
    }
}

void SweepTally::PrintRow(std::ostream& out, const std::string& name, const Counts& counts)
{
    out << std::left << std::setw(kNameWidth) << name.substr(0, kNameWidth - 1) << std::right << std::setw(7)
        << counts.copies;
    for (Outcome outcome : kOutcomes) {
        const auto found = counts.outcomes.find(outcome);
        out << std::setw(8) << (found == counts.outcomes.end() ? 0 : found->second);
    }
    out << std::setw(9) << Findings(counts.outcomes) << std::setw(8) << counts.raised << std::setw(9) << std::fixed
        << std::setprecision(0) << counts.seconds << '\n';
}

void SweepTally::Print(std::ostream& out, const std::string& title) const
{
    out << std::left << std::setw(kNameWidth) << title << std::right << std::setw(7) << "copies";
    for (Outcome outcome : kOutcomes)
        out << std::setw(8) << Heading(outcome);
    out << std::setw(9) << "findings" << std::setw(8) << "raised" << std::setw(9) << "child-s" << '\n';
    for (const std::string& row : order)
        PrintRow(out, row, rows.at(row));
    PrintRow(out, "total", total);
}

} // namespace KorrFuzz
