#pragma once

#include <cstdint>

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/Vector3.h>

namespace KMath {

// An axis-aligned box: minimum corner, maximum corner, extent kind and a
// pointer-sized field reserved for the box's own cached data (always null here).
class KORRGEOMCORE_EXPORT AxisAlignedBox {
public:
    enum Extent : std::int32_t { EXTENT_NULL = 0, EXTENT_FINITE = 1, EXTENT_INFINITE = 2 };

    AxisAlignedBox() = default;
    AxisAlignedBox(const Vector3& minimum, const Vector3& maximum)
        : mMinimum(minimum), mMaximum(maximum), mExtent(EXTENT_FINITE) {}

    const Vector3& getMinimum() const { return mMinimum; }
    const Vector3& getMaximum() const { return mMaximum; }
    Extent getExtent() const { return mExtent; }

private:
    Vector3 mMinimum;
    Vector3 mMaximum;
    Extent mExtent = EXTENT_NULL;
    [[maybe_unused]] void* mReserved = nullptr;
};

} // namespace KMath
