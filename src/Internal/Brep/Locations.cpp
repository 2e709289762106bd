#include <TopLoc_Location.hxx>
#include <gp_Trsf.hxx>

#include <climits>
#include <cmath>
#include <optional>
#include <set>
#include <utility>

#include "Internal/Brep/Sections.h"
#include "Internal/Core/Guarded.h"
#include "Internal/Core/KernelValues.h"

namespace KorrCore::BrepScreen {

namespace {

using Chain = std::vector<std::pair<std::int64_t, std::int64_t>>; // (elementary location, power)

// Shapes may only be moved rigidly, mirroring included: the kernel refuses to
// place shapes by a scaling location, and a move beyond the model scale
// takes them where doubles no longer resolve the kernel's tolerances.
bool Rigid(const gp_Trsf& transform)
{
    return std::abs(std::abs(transform.ScaleFactor()) - 1.0) <= TopLoc_Location::ScalePrec() &&
           transform.TranslationPart().Modulus() < kLargestModelMagnitude;
}

// An elementary location: a 3 x 4 matrix, row by row. The kernel silently
// turns a matrix that is not a rigid motion into a different one (dropping a
// shear, spreading a scale over the axes), so the matrix must come back
// unchanged from the transformation the kernel builds of it.
std::optional<gp_Trsf> ElementaryLocation(Cursor& cursor)
{
    double m[12];
    for (double& value : m)
        if (!cursor.Real(value))
            return std::nullopt;
    // The kernel raises for a singular matrix.
    return Guarded(std::optional<gp_Trsf>(), [&]() -> std::optional<gp_Trsf> {
        gp_Trsf transform;
        transform.SetValues(m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11]);
        // Writers round the matrix; a shear or an uneven scale differs by far more.
        constexpr double kRounding = 1e-9;
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 4; ++column) {
                const double written = m[4 * row + column];
                if (std::abs(transform.Value(row + 1, column + 1) - written) > kRounding * (1.0 + std::abs(written)))
                    return std::nullopt;
            }
        if (!Rigid(transform))
            return std::nullopt;
        return transform;
    });
}

// A composed location: powers of earlier elementary locations up to a 0. The
// kernel keeps only locations that differ from the identity and from every
// location already read, so a chain that is empty, is a plain elementary
// location, merges neighbours or repeats an earlier chain would shift the
// numbering of every later location. High powers of a translation reach far.
bool ComposedLocation(Cursor& cursor, const std::vector<std::optional<gp_Trsf>>& elementary, std::set<Chain>& chains)
{
    Chain chain;
    gp_Trsf composed;
    std::int64_t entry = 0;
    while (cursor.Int(0, static_cast<std::int64_t>(elementary.size()), entry)) {
        if (entry == 0)
            return !chain.empty() && !(chain.size() == 1 && chain[0].second == 1) && chains.insert(chain).second &&
                   Rigid(composed);
        std::int64_t power = 0;
        const std::optional<gp_Trsf>& factor = elementary[entry - 1];
        if (!factor || !cursor.Int(-INT_MAX, INT_MAX, power) || power == 0)
            return false;
        if (!chain.empty() && chain.back().first == entry)
            return false;
        chain.emplace_back(entry, power);
        composed.Multiply(factor->Powered(static_cast<int>(power)));
    }
    return false;
}

} // namespace

bool LocationsSection(Cursor& cursor, Tables& tables)
{
    if (!cursor.Word("Locations") || !cursor.Int(0, INT_MAX, tables.locations))
        return false;
    std::vector<std::optional<gp_Trsf>> elementary;
    std::set<Chain> chains;
    for (std::int64_t i = 0; i < tables.locations; ++i) {
        std::int64_t kind = 0;
        if (!cursor.Int(1, 2, kind))
            return false;
        if (kind == 1) {
            elementary.push_back(ElementaryLocation(cursor));
            if (!elementary.back())
                return false;
        } else {
            if (!ComposedLocation(cursor, elementary, chains))
                return false;
            elementary.emplace_back();
        }
    }
    return true;
}

} // namespace KorrCore::BrepScreen
