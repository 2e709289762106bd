#include "DisplayChecks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace KorrFuzz {

namespace {

bool IsFinite(const KMath::Vector3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// GetBBox's answer for a shape it cannot measure.
bool IsStandIn(const KMath::AxisAlignedBox& box)
{
    const KMath::Vector3& lo = box.getMinimum();
    const KMath::Vector3& hi = box.getMaximum();
    return lo.x == 0 && lo.y == 0 && lo.z == 0 && hi.x == 1 && hi.y == 1 && hi.z == 1;
}

// A thousandth of the box's largest side covers the kernel measuring a face
// by its stored triangulation while the points come from a finer mesh of the
// surface; the second term covers rounding to float far from the origin.
double ToleranceFor(const KMath::AxisAlignedBox& box)
{
    const KMath::Vector3& lo = box.getMinimum();
    const KMath::Vector3& hi = box.getMaximum();
    const double side = std::max({hi.x - lo.x, hi.y - lo.y, hi.z - lo.z});
    const double magnitude =
        std::max({std::abs(lo.x), std::abs(lo.y), std::abs(lo.z), std::abs(hi.x), std::abs(hi.y), std::abs(hi.z)});
    return 1e-3 * side + 1e-6 * magnitude;
}

std::string Describe(const char* format, double a, double b = 0, double c = 0, double d = 0)
{
    char text[200];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

} // namespace

DisplayChecks::DisplayChecks(const KMath::AxisAlignedBox& shapeBox, InspectVerdict& inspectVerdict)
    : box(shapeBox), boxUsable(IsFinite(box.getMinimum()) && IsFinite(box.getMaximum()) && !IsStandIn(box)),
      tolerance(boxUsable ? ToleranceFor(box) : 0.0), verdict(inspectVerdict)
{
}

bool DisplayChecks::Record(Fault fault, const std::string& detail)
{
    verdict.Record(fault, detail);
    return false;
}

bool DisplayChecks::Holds(bool condition, const std::string& what)
{
    return condition || Record(Fault::BadIndex, what);
}

template <class Number> bool DisplayChecks::Finite(const Number* values, std::size_t count, const std::string& what)
{
    const Number* bad = std::find_if(values, values + count, [](Number v) { return !std::isfinite(v); });
    if (bad == values + count)
        return true;
    return Record(Fault::NonFinite, what + "[" + std::to_string(bad - values) + "] = " + Describe("%g", *bad));
}
template bool DisplayChecks::Finite(const float*, std::size_t, const std::string&);
template bool DisplayChecks::Finite(const double*, std::size_t, const std::string&);

bool DisplayChecks::Finite(const std::vector<float>& values, const std::string& what)
{
    return Finite(values.data(), values.size(), what);
}

bool DisplayChecks::Near(double x, double y, double z, double deflection, const std::string& what)
{
    const double reach = deflection + tolerance;
    const KMath::Vector3& lo = box.getMinimum();
    const KMath::Vector3& hi = box.getMaximum();
    const double beyond = std::max({lo.x - x, x - hi.x, lo.y - y, y - hi.y, lo.z - z, z - hi.z});
    if (beyond <= reach)
        return true;
    return Record(Fault::OutOfBox, what + Describe(" (%g, %g, %g) lies %g beyond the box", x, y, z, beyond) +
                                       Describe(" (%g, %g, %g)", lo.x, lo.y, lo.z) +
                                       Describe(" - (%g, %g, %g)", hi.x, hi.y, hi.z) +
                                       Describe(", more than %g", reach));
}

bool DisplayChecks::Points(const std::vector<float>& xyz, double deflection, const std::string& what)
{
    if (!Holds(xyz.size() % 3 == 0, what + ": " + std::to_string(xyz.size()) + " floats, not x, y, z triples") ||
        !Finite(xyz, what))
        return false;
    if (!boxUsable)
        return true;
    for (std::size_t i = 0; i < xyz.size(); i += 3)
        if (!Near(xyz[i], xyz[i + 1], xyz[i + 2], deflection, what + "[" + std::to_string(i / 3) + "]"))
            return false;
    return true;
}

bool DisplayChecks::Point(const KMath::Vector3& p, const std::string& what)
{
    return Finite(&p.x, 3, what) && (!boxUsable || Near(p.x, p.y, p.z, 0.0, what));
}

bool DisplayChecks::Triangles(const std::vector<unsigned int>& indices, std::size_t nodes, const std::string& what)
{
    if (!Holds(indices.size() % 3 == 0, what + ": " + std::to_string(indices.size()) + " indices, not triangles"))
        return false;
    const auto bad = std::find_if(indices.begin(), indices.end(), [&](unsigned int i) { return i >= nodes; });
    return bad == indices.end() ||
           Record(Fault::BadIndex, what + "[" + std::to_string(bad - indices.begin()) + "] = " + std::to_string(*bad) +
                                       " of " + std::to_string(nodes) + " nodes");
}

} // namespace KorrFuzz
