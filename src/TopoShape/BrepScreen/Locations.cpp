#include <climits>
#include <set>
#include <utility>

#include "TopoShape/BrepScreen/Sections.h"

namespace KorrCore::BrepScreen {

namespace {

using Chain = std::vector<std::pair<std::int64_t, std::int64_t>>; // (elementary location, power)

// A composed location: powers of earlier elementary locations up to a 0. The
// kernel keeps only locations that differ from the identity and from every
// location already read, so a chain that is empty, is a plain elementary
// location, merges neighbours or repeats an earlier chain would shift the
// numbering of every later location.
bool ComposedLocation(Cursor& cursor, const std::vector<bool>& elementary, std::set<Chain>& chains)
{
    Chain chain;
    std::int64_t entry = 0;
    while (cursor.Int(0, static_cast<std::int64_t>(elementary.size()), entry)) {
        if (entry == 0)
            return !chain.empty() && !(chain.size() == 1 && chain[0].second == 1) && chains.insert(chain).second;
        std::int64_t power = 0;
        if (!elementary[entry - 1] || !cursor.Int(INT_MIN, INT_MAX, power) || power == 0)
            return false;
        if (!chain.empty() && chain.back().first == entry)
            return false;
        chain.emplace_back(entry, power);
    }
    return false;
}

} // namespace

bool LocationsSection(Cursor& cursor, Tables& tables)
{
    if (!cursor.Word("Locations") || !cursor.Int(0, INT_MAX, tables.locations))
        return false;
    std::vector<bool> elementary;
    std::set<Chain> chains;
    for (std::int64_t i = 0; i < tables.locations; ++i) {
        std::int64_t kind = 0;
        if (!cursor.Int(1, 2, kind))
            return false;
        const bool ok = kind == 1 ? cursor.Reals(12) // a 3 x 4 matrix
                                  : ComposedLocation(cursor, elementary, chains);
        if (!ok)
            return false;
        elementary.push_back(kind == 1);
    }
    return true;
}

} // namespace KorrCore::BrepScreen
