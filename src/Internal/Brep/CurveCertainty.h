#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace KorrCore::BrepScreen {

// A curve record the screen knows to build without the kernel building it,
// with the parameter range its trims must keep to: the kernel trims a
// trimmed curve's own basis, and refuses bounds outside it (unbounded for
// lines and periodic curves).
struct CertainCurve {
    double first = -std::numeric_limits<double>::infinity();
    double last = std::numeric_limits<double>::infinity();
};

// A B-spline curve builds for certain when its knots (to within a few units
// in their last place) rise by far more than rounding, its multiplicities give
// its pole count and its weights are far from zero: what the kernel raises
// for otherwise.
std::optional<CertainCurve> CertainBSpline(int degree, bool periodic, std::int64_t poles,
                                           const std::vector<double>& knots, const std::vector<int>& multiplicities,
                                           double smallestWeight);

// Trimming the curve between the two bounds (to within a few units in their
// last place) builds for certain: distinct bounds, within its range.
bool TrimsCertainly(const CertainCurve& basis, double first, double last);

} // namespace KorrCore::BrepScreen
