#pragma once

#include <cstddef>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "SweepOutcome.h"

namespace KorrFuzz {

// Outcomes counted by row (an input file, a kind of change, a section), with
// the copies on which an explorer raised a kernel exception and the time the
// row's children took.
class SweepTally {
public:
    void Add(const std::string& row, Outcome outcome, bool raised, double seconds);
    // One line per row in the order rows first appeared, then the totals.
    void Print(std::ostream& out, const std::string& title) const;

private:
    struct Counts {
        std::map<Outcome, std::size_t> outcomes;
        std::size_t copies = 0;
        std::size_t raised = 0;
        double seconds = 0;
    };
    static void PrintRow(std::ostream& out, const std::string& name, const Counts& counts);

    std::vector<std::string> order;
    std::map<std::string, Counts> rows;
    Counts total;
};

} // namespace KorrFuzz
