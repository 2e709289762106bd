#include "BrepRoundTrip.h"

#include <algorithm>
#include <cmath>

namespace korrgeom {

using namespace KorrCore;

namespace {

// The file keeps coordinates to 15 significant digits, so boxes agree to a
// tiny fraction of their size rather than bit for bit.
bool SameBox(const KMath::AxisAlignedBox& a, const KMath::AxisAlignedBox& b)
{
    const KMath::Vector3 size = a.getMaximum() - a.getMinimum();
    const double tolerance = 1e-9 * std::max({1.0, std::abs(size.x), std::abs(size.y), std::abs(size.z)});
    const auto near = [tolerance](const KMath::Vector3& p, const KMath::Vector3& q) {
        return (p - q).length() <= tolerance;
    };
    return near(a.getMinimum(), b.getMinimum()) && near(a.getMaximum(), b.getMaximum());
}

} // namespace

bool BrepRoundTrip(const ShapePtr& shape, const std::string& path, std::string& problem)
{
    const std::wstring widePath = KStringUtil::a2w(path);
    if (!KBrepTools::SaveBrepFile(shape, widePath, nullptr)) {
        problem = "could not save " + path;
        return false;
    }
    const ShapePtr readBack = KBrepTools::ReadBrepFile(widePath, nullptr);
    if (!readBack)
        problem = "could not read back " + path;
    else if (readBack->GetShapeType() != shape->GetShapeType())
        problem = path + " read back as another kind of shape";
    else if (!SameBox(readBack->GetBBox(), shape->GetBBox()))
        problem = path + " read back with another bounding box";
    return problem.empty();
}

} // namespace korrgeom
