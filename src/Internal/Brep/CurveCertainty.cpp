#include "Internal/Brep/CurveCertainty.h"

#include <BSplCLib.hxx>
#include <Precision.hxx>
#include <TColStd_Array1OfInteger.hxx>

#include <algorithm>
#include <cmath>

namespace KorrCore::BrepScreen {

namespace {

// Approximate numbers further apart than this, relative to their size, are
// distinct exactly; far more than rounding, far less than real knot spacing.
constexpr double kSafeSeparation = 1e-12;
// Weights at least this large are far from the kernel's resolution.
constexpr double kSafeWeight = 1e-100;
// Parameters beyond this magnitude carry rounding comparable to the kernel's
// parametric confusion.
constexpr double kLargestSafeParameter = 1e5;

double Size(double a, double b)
{
    return std::max({1.0, std::abs(a), std::abs(b)});
}

// The knot at a place of the sequence in which each knot repeats as often as
// its multiplicity says (places counted from 1).
double FlatKnot(const std::vector<double>& knots, const std::vector<int>& multiplicities, std::int64_t place)
{
    for (std::size_t i = 0; i < knots.size(); ++i) {
        place -= multiplicities[i];
        if (place <= 0)
            return knots[i];
    }
    return knots.back();
}

} // namespace

std::optional<CertainCurve> CertainBSpline(int degree, bool periodic, std::int64_t poles,
                                           const std::vector<double>& knots, const std::vector<int>& multiplicities,
                                           double smallestWeight)
{
    if (smallestWeight < kSafeWeight)
        return std::nullopt;
    for (std::size_t i = 1; i < knots.size(); ++i)
        if (knots[i] - knots[i - 1] <= kSafeSeparation * Size(knots[i], knots[i - 1]))
            return std::nullopt;
    const TColStd_Array1OfInteger wrapped(multiplicities.front(), 1, static_cast<int>(multiplicities.size()));
    if (BSplCLib::NbPoles(degree, periodic, wrapped) != poles)
        return std::nullopt;
    if (periodic)
        return CertainCurve{};
    // The kernel's own bounds of a B-spline curve.
    return CertainCurve{FlatKnot(knots, multiplicities, degree + 1), FlatKnot(knots, multiplicities, poles + 1)};
}

bool TrimsCertainly(const CertainCurve& basis, double first, double last)
{
    const double size = Size(first, last);
    if (std::abs(last - first) <= kSafeSeparation * size)
        return false;
    if (std::isinf(basis.first) && std::isinf(basis.last))
        return true;
    if (size > kLargestSafeParameter)
        return false;
    const double slack = Precision::PConfusion() / 2;
    return std::min(first, last) >= basis.first - slack && std::max(first, last) <= basis.last + slack;
}

} // namespace KorrCore::BrepScreen
